#version 410 core
// Sends every triangle into each of the six cube faces it can reach. A triangle wholly
// outside a face's view is not emitted there: most triangles touch one or two faces, and
// every emitted copy costs the software rasteriser set-up work.
layout(triangles) in;
layout(triangle_strip, max_vertices = 18) out;

uniform mat4 shadowTransforms[6];

out vec4 worldPosition;

// True only when all three corners lie beyond one and the same plane of the face's view
// volume (left, right, bottom, top, near). A triangle crossing a face edge has corners
// outside different planes and must still be drawn there.
bool outsideFace(vec4 a, vec4 b, vec4 c) {
    vec2 overMax = min(min(a.xy - vec2(a.w), b.xy - vec2(b.w)), c.xy - vec2(c.w));
    vec2 underMin = max(max(a.xy + vec2(a.w), b.xy + vec2(b.w)), c.xy + vec2(c.w));
    float beforeNear = max(max(a.z + a.w, b.z + b.w), c.z + c.w);
    return any(greaterThan(overMax, vec2(0.0))) || any(lessThan(underMin, vec2(0.0))) || beforeNear < 0.0;
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
