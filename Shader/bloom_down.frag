#version 410 core
// One halving of the bloom chain: thirteen bilinear taps over 6 x 6 texels of the level above,
// weighted as five overlapping 2 x 2 boxes (the centre one counting half), which keeps small bright
// objects from flickering as they move. Built with KARIS (the first halving) it also weighs each
// tap by 1 / (1 + its luma), so that a single very bright pixel cannot outshine everything around it.
in vec2 uv;

uniform sampler2D image;  // the level above (the first time: the full-size glow)

layout(location = 0) out vec4 fragColor;

vec3 sum = vec3(0.0);
float weights = 0.0;

// Adds the tap offset texels away with its share of the boxes.
void tap(vec2 texel, vec2 offset, float share) {
    vec3 colour = texture(image, uv + texel * offset).rgb;
#ifdef KARIS
    share /= 1.0 + dot(colour, vec3(0.2126, 0.7152, 0.0722));
#endif
    sum += share * colour;
    weights += share;
}

void main() {
    vec2 texel = 1.0 / vec2(textureSize(image, 0));
    tap(texel, vec2(0.0, 0.0), 0.125);
    tap(texel, vec2(-1.0, 1.0), 0.125);
    tap(texel, vec2(1.0, 1.0), 0.125);
    tap(texel, vec2(-1.0, -1.0), 0.125);
    tap(texel, vec2(1.0, -1.0), 0.125);
    tap(texel, vec2(-2.0, 2.0), 0.03125);
    tap(texel, vec2(2.0, 2.0), 0.03125);
    tap(texel, vec2(-2.0, -2.0), 0.03125);
    tap(texel, vec2(2.0, -2.0), 0.03125);
    tap(texel, vec2(0.0, 2.0), 0.0625);
    tap(texel, vec2(-2.0, 0.0), 0.0625);
    tap(texel, vec2(2.0, 0.0), 0.0625);
    tap(texel, vec2(0.0, -2.0), 0.0625);
    fragColor = vec4(sum / weights, 1.0);
}
