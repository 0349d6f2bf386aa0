#version 410 core
// One direction of a five-texel box blur in three bilinear fetches (the side fetches sit
// between two texels and weigh both). Six passes per axis approach a Gaussian of about
// 3.5 texels, as wide as a nine-tap Gaussian kernel gives with five fetches.
in vec2 uv;

uniform sampler2D image;
uniform int horizontal;

layout(location = 0) out vec4 fragColor;

void main() {
    vec2 texel = 1.5 / vec2(textureSize(image, 0));
    vec2 offset = horizontal == 1 ? vec2(texel.x, 0.0) : vec2(0.0, texel.y);
    vec3 sum = 0.2 * texture(image, uv).rgb + 0.4 * (texture(image, uv - offset).rgb + texture(image, uv + offset).rgb);
    fragColor = vec4(sum, 1.0);
}
