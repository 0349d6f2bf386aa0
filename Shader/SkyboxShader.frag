#version 410 core
in vec3 direction;

uniform samplerCube cubemap;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 glowColor;

void main() {
    // Sky images are opaque; the shadow map samples as grey distances (0 at the light, 1 at the
    // far plane) with zero alpha. Those show near casters bright and the empty distance black.
    vec4 texel = texture(cubemap, direction);
    float nearness = 1.0 - texel.r;
    nearness *= nearness;
    fragColor = vec4(mix(vec3(nearness * nearness), texel.rgb * texel.rgb, texel.a), 1.0);  // sky: gamma to linear
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);  // the sky never blooms
}
