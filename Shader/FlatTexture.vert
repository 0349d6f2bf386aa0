#version 410 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;
layout(location = 2) in vec3 normal;

uniform mat4 model;
uniform mat4 projectionMatrix;

out vec3 fragPosition;
out vec3 fragNormal;
out vec2 fragTexCoord;

void main() {
    vec4 world = model * vec4(position, 1.0);
    fragPosition = world.xyz;
    // The cofactors of the whole model transform (object and model matrix) are its inverse
    // transpose up to a positive factor: right under any rotation and scaling.
    mat3 m = mat3(model);
    fragNormal = mat3(cross(m[1], m[2]), cross(m[2], m[0]), cross(m[0], m[1])) * normal;
    fragTexCoord = texCoord;
    gl_Position = projectionMatrix * world;
}
