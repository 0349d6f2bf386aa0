// The point light's soft shadow, read from its depth cube. The loader puts this file after the
// #version line of every shader it compiles, behind a line defining shadowCubeSize (texels along
// a cube face); it takes everything as parameters, so shaders that never call it are unaffected.

// The filter's lookups lie on a square grid `softness` texels to either side of the fragment's
// along each axis: four at the corners up to one texel, more beyond it, so that neighbouring
// lookups stay at most two texels apart and a wide penumbra has no gaps.
int shadowGridSide(float softness) { return softness > 1.0 ? int(ceil(softness)) + 1 : 2; }

// The s, t and major axes (columns) of the cube face a direction falls on, by OpenGL's face table.
mat3 cubeFaceAxes(vec3 d) {
    vec3 a = abs(d);
    vec3 s = sign(d);
    if (a.x >= a.y && a.x >= a.z) return mat3(0, 0, -s.x, 0, -1, 0, s.x, 0, 0);
    if (a.y >= a.z) return mat3(1, 0, 0, 0, 0, s.y, 0, s.y, 0);
    return mat3(s.z, 0, 0, 0, -1, 0, 0, 0, s.z);
}

// 1 where the light at lightPosition reaches position, 0 in full shadow, smooth in between: every
// lookup compares the 2 x 2 texels around it and weights them as bilinear filtering would.
// depthMap holds distances from the light divided by farPlane. bias (0.5 by default) scales every
// offset that keeps a lit face off its own depth: along the normal, along the slope and in depth
// (texels); at 0 the lit faces show acne, large values detach shadows from their casters.
float lightVisibility(samplerCube depthMap, float farPlane, vec3 lightPosition, vec3 position, vec3 normal,
                      float cosine, float softness, float bias) {
    // A cube face texel spans about distance / (half the face size) units; offsetting along the
    // normal by a texel and a half (at the default bias) keeps lit faces off their own depth
    // without a large depth bias.
    float scale = 2.0 * bias;
    float texel = length(position - lightPosition) / (0.5 * shadowCubeSize);
    vec3 fromLight = position + normal * (1.5 * scale * texel) - lightPosition;
    // The filter compares texels up to softness + 1 beyond the lookup (two at most softness); on a
    // slanted face they lie nearer the light by the slope, so the bias grows with both.
    float slant = max(cosine, 0.1);
    float reach = 0.5 + max(softness, 1.0);
    float reference = length(fromLight) - texel * (bias + reach * scale * sqrt(1.0 - slant * slant) / slant);
    mat3 face = cubeFaceAxes(fromLight);
    vec3 onFace = fromLight * face;  // s, t and the distance along the major axis
    float faceTexel = onFace.z * 2.0 / shadowCubeSize;  // one texel along s or t, in world units
    // Whole-texel steps keep every lookup at the same place between its four texels.
    vec2 between = fract((0.5 * onFace.xy / onFace.z + 0.5) * shadowCubeSize - 0.5);
    int side = shadowGridSide(softness);
    vec4 lit = vec4(0.0);
    for (int i = 0; i < side * side; ++i) {
        vec2 offset = vec2(-1.0) + 2.0 * vec2(i % side, i / side) / float(side - 1);
        vec3 direction = fromLight + faceTexel * softness * (offset.x * face[0] + offset.y * face[1]);
        lit += step(vec4(reference), textureGather(depthMap, direction) * farPlane);
    }
    return mix(mix(lit.w, lit.z, between.x), mix(lit.x, lit.y, between.x), between.y) / float(side * side);
}
