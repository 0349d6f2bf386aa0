#version 410 core
// A pipeline view. Built with SHADOW_CUBE: the depth cube's faces in a cross of 4 x 3 square cells,
// nearness to the light as grey (black where nothing was drawn, as the shadow map sky shows it),
// black outside the cross. Without it: a target times scale, clamped and gamma-encoded for display,
// with no tone curve; or, with bands, its luma in false colour, one colour per band.
in vec2 uv;

layout(location = 0) out vec4 fragColor;

#ifdef SHADOW_CUBE
uniform samplerCube cube;
uniform vec3 crossArea;  // window pixels: the cross's lower left corner, then a cell's side
uniform float stretch;   // the stored distance / far plane times this is the grey

// Direction of a point of each face (GL's order) from (s, t, 1), s right and t down the face's
// image, as GL lays out cube faces; the cross's neighbours then meet along shared edges.
const mat3 faces[6] = mat3[6](mat3(0, 0, -1, 0, -1, 0, 1, 0, 0), mat3(0, 0, 1, 0, -1, 0, -1, 0, 0),
                              mat3(1, 0, 0, 0, 0, 1, 0, 1, 0), mat3(1, 0, 0, 0, 0, -1, 0, -1, 0),
                              mat3(1, 0, 0, 0, -1, 0, 0, 0, 1), mat3(-1, 0, 0, 0, -1, 0, 0, 0, -1));

void main() {
    vec2 position = (gl_FragCoord.xy - crossArea.xy) / crossArea.z;
    ivec2 cell = ivec2(floor(position));
    // Cells counted from the bottom: -Y, then -X +Z +X -Z, then +Y.
    int face = -1;
    if (cell.y == 1 && cell.x >= 0 && cell.x < 4) face = int[4](1, 4, 0, 5)[cell.x];
    if (cell.x == 1 && cell.y == 0) face = 3;
    if (cell.x == 1 && cell.y == 2) face = 2;
    if (face < 0) {
        fragColor = vec4(0.0, 0.0, 0.0, 1.0);
        return;
    }
    vec2 st = fract(position) * 2.0 - 1.0;
    float grey = 1.0 - min(texture(cube, faces[face] * vec3(st.x, -st.y, 1.0)).r * stretch, 1.0);
    fragColor = vec4(vec3(grey), 1.0);
}
#else
uniform sampler2D image;
uniform float scale;
uniform int bands;                  // 0: the colour itself; else false colour of this many bands
uniform float bandTops[8];          // the luma each band reaches (the last one: any above)
uniform vec3 bandColours[8];        // display colours

void main() {
    vec3 colour = texture(image, uv).rgb * scale;
    if (bands > 0) {
        float luma = dot(colour, vec3(0.2126, 0.7152, 0.0722));
        int band = 0;
        while (band < bands - 1 && luma >= bandTops[band]) ++band;
        fragColor = vec4(bandColours[band], 1.0);
        return;
    }
    fragColor = vec4(pow(clamp(colour, 0.0, 1.0), vec3(1.0 / 2.2)), 1.0);
}
#endif
