#version 410 core
in vec3 direction;

uniform samplerCube cubemap;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 glowColor;

// The shadow map's distances (0 at the light, 1 at the far plane) as grey: near casters bright,
// the empty far background black, with most of the range spent on the first few hundred units.
vec3 distanceShade(float distance) {
    float shade = 1.0 - sqrt(distance);
    return vec3(shade * shade);
}

void main() {
    vec4 texel = texture(cubemap, direction);
    // The sky images are opaque; the shadow map is swizzled to grey with zero alpha.
    vec3 color = texel.a > 0.5 ? texel.rgb * texel.rgb : distanceShade(texel.r);  // sky: gamma to linear
    fragColor = vec4(color, 1.0);
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);  // the sky never blooms
}
