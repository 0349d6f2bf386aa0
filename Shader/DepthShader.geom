#version 410 core
// Sends every triangle into each of the six cube faces it can reach. A triangle wholly
// outside a face's view is not emitted there: most triangles touch one or two faces, and
// every emitted copy costs the software rasteriser set-up work.
layout(triangles) in;
layout(triangle_strip, max_vertices = 18) out;

uniform mat4 shadowTransforms[6];

out vec4 worldPosition;

// True when all three corners lie beyond the same side of the face's view volume.
bool outsideFace(vec4 a, vec4 b, vec4 c) {
    vec3 minima = min(min(vec3(a.xy, -a.z) - vec3(a.w), vec3(b.xy, -b.z) - vec3(b.w)), vec3(c.xy, -c.z) - vec3(c.w));
    vec2 maxima = max(max(a.xy + vec2(a.w), b.xy + vec2(b.w)), c.xy + vec2(c.w));
    return any(greaterThan(minima, vec3(0.0))) || any(lessThan(maxima, vec2(0.0)));
}

void main() {
    for (int face = 0; face < 6; ++face) {
        vec4 a = shadowTransforms[face] * gl_in[0].gl_Position;
        vec4 b = shadowTransforms[face] * gl_in[1].gl_Position;
        vec4 c = shadowTransforms[face] * gl_in[2].gl_Position;
        if (outsideFace(a, b, c)) continue;
        gl_Layer = face;
        worldPosition = gl_in[0].gl_Position;
        gl_Position = a;
        EmitVertex();
        gl_Layer = face;
        worldPosition = gl_in[1].gl_Position;
        gl_Position = b;
        EmitVertex();
        gl_Layer = face;
        worldPosition = gl_in[2].gl_Position;
        gl_Position = c;
        EmitVertex();
        EndPrimitive();
    }
}
