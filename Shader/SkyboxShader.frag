#version 410 core
in vec3 direction;

uniform samplerCube cubemap;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 glowColor;

void main() {
    fragColor = vec4(texture(cubemap, direction).rgb, 1.0);
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);
}
