#version 410 core
// Sends every triangle once into each of the six cube faces.
layout(triangles) in;
layout(triangle_strip, max_vertices = 18) out;

uniform mat4 shadowTransforms[6];

out vec4 worldPosition;

void main() {
    for (int face = 0; face < 6; ++face) {
        gl_Layer = face;
        for (int corner = 0; corner < 3; ++corner) {
            worldPosition = gl_in[corner].gl_Position;
            gl_Position = shadowTransforms[face] * worldPosition;
            EmitVertex();
        }
        EndPrimitive();
    }
}
