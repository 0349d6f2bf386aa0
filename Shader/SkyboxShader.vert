#version 410 core
layout(location = 0) in vec3 position;

uniform mat4 model;
uniform mat4 projectionMatrix;

out vec3 direction;

void main() {
    direction = position;
    // The unit cube sits well inside the near and far planes; drawn first without depth writes,
    // everything later covers it.
    gl_Position = projectionMatrix * model * vec4(position, 1.0);
}
