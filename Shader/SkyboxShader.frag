#version 410 core
in vec3 direction;

uniform samplerCube cubemap;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 glowColor;

void main() {
    vec3 texel = texture(cubemap, direction).rgb;
    fragColor = vec4(texel * texel, 1.0);  // gamma-encoded image to linear light
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);  // the sky never blooms
}
