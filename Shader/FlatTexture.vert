#version 410 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;
layout(location = 2) in vec3 normal;

uniform mat4 model;
uniform mat4 projectionMatrix;
uniform mat3 normalMatrix;

out vec3 fragPosition;
out vec3 fragNormal;
out vec2 fragTexCoord;

void main() {
    vec4 world = model * vec4(position, 1.0);
    fragPosition = world.xyz;
    fragNormal = mat3(model) * normal;
    fragTexCoord = texCoord;
    gl_Position = projectionMatrix * world;
}
