#version 410 core
// Stores the distance from the light, scaled to 0..1 by the far plane.
in vec4 worldPosition;

uniform vec3 lightPos;
uniform float far_plane;

void main() {
    gl_FragDepth = length(worldPosition.xyz - lightPos) / far_plane;
}
