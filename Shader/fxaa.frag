#version 410 core
// FXAA, a lean variant for a software driver, on the tone-mapped picture. Five fetches tell whether
// the pixel lies on an edge: where the local contrast of luma stays below the threshold the pixel
// is kept exactly. An edge pixel is read once more, bilinearly, shifted across its edge (towards
// the neighbour that differs most) by how far its luma stands out from its four neighbours' mean:
// the steps of a jagged edge and lone bright pixels stand out most. There is no search along the
// edge for its ends, which would cost more than the rest together here.
// With SHOW_EDGES it draws which pixels move, and how far, instead.
uniform sampler2D picture;
uniform float edgeThreshold;  // contrast, as a fraction of the brightest luma around, that makes an edge
uniform float subpixel;       // 0 to 1: how much of a lone pixel's contrast is blended away

layout(location = 0) out vec4 fragColor;

const float darkThreshold = 0.0312;  // contrast below this is no edge however dark the pixel

float luma(vec3 colour) { return dot(colour, vec3(0.299, 0.587, 0.114)); }

float lumaAt(ivec2 pixel, ivec2 last) { return luma(texelFetch(picture, clamp(pixel, ivec2(0), last), 0).rgb); }

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    ivec2 last = textureSize(picture, 0) - 1;
    vec3 centre = texelFetch(picture, pixel, 0).rgb;
    float m = luma(centre);
    float n = lumaAt(pixel + ivec2(0, 1), last), s = lumaAt(pixel - ivec2(0, 1), last);
    float e = lumaAt(pixel + ivec2(1, 0), last), w = lumaAt(pixel - ivec2(1, 0), last);
    float lowest = min(m, min(min(n, s), min(e, w)));
    float highest = max(m, max(max(n, s), max(e, w)));
    float contrast = highest - lowest;
    if (contrast < max(darkThreshold, highest * edgeThreshold)) {
#ifdef SHOW_EDGES
        fragColor = vec4(vec3(m * 0.3), 1.0);
#else
        fragColor = vec4(centre, 1.0);
#endif
        return;
    }
    // A pixel unlike all four neighbours is mostly blended away, the corner of a step by half as
    // much, a pixel along a straight edge by a quarter.
    float standOut = clamp(abs((n + s + e + w) * 0.25 - m) / contrast, 0.0, 1.0);
    float shift = standOut * subpixel;

    // The edge runs along the axis across which luma changes less; step across it towards the
    // neighbour that differs more.
    bool horizontal = abs(n + s - 2.0 * m) >= abs(e + w - 2.0 * m);
    float before = horizontal ? s : w, after = horizontal ? n : e;
    bool towardsAfter = abs(after - m) >= abs(before - m);
    vec2 texel = 1.0 / vec2(last + 1);
    vec2 across = horizontal ? vec2(0.0, texel.y) : vec2(texel.x, 0.0);
    if (!towardsAfter) across = -across;

    vec2 uv = (vec2(pixel) + 0.5) * texel;
#ifdef SHOW_EDGES
    fragColor = vec4(1.0, 0.2 + 1.6 * shift, 0.0, 1.0);
#else
    fragColor = vec4(texture(picture, uv + shift * across).rgb, 1.0);
#endif
}
