#version 410 core
layout(location = 0) in vec3 position;

uniform mat4 model;
uniform mat4 projectionMatrix;

out vec3 direction;

void main() {
    direction = position;
    vec4 clip = projectionMatrix * model * vec4(position, 1.0);
    gl_Position = clip.xyww;  // on the far plane
}
