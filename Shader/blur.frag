#version 410 core
// One direction of a wide blur in three bilinear fetches: the centre texel and, on each side,
// the pair 4 and 5 texels away (a fetch between them weighs both). The spaced taps make six
// passes per axis spread the glow about 30 texels while costing no more than a box blur.
in vec2 uv;

uniform sampler2D image;
uniform int horizontal;
uniform float spread;  // texels from the centre to a side fetch: 4.5 reads the pair 4 and 5 away

layout(location = 0) out vec4 fragColor;

void main() {
    vec2 texel = spread / vec2(textureSize(image, 0));
    vec2 offset = horizontal == 1 ? vec2(texel.x, 0.0) : vec2(0.0, texel.y);
    vec3 sum = 0.1 * texture(image, uv).rgb + 0.45 * (texture(image, uv - offset).rgb + texture(image, uv + offset).rgb);
    fragColor = vec4(sum, 1.0);
}
