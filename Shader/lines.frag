#version 410 core
// One colour, and nothing for the glow.
uniform vec3 colour;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 glowColor;

void main() {
    fragColor = vec4(colour, 1.0);
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);
}
