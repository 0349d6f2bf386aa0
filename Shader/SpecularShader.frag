#version 410 core
// Blinn-Phong with one point light, soft omnidirectional shadows and a glow output for bloom.
struct Light {
    vec3 position;
    vec3 ambient;
    vec3 diffuse;
    vec3 specular;
};
struct Material {
    vec3 ambient;
    vec3 diffuse;
    vec3 specular;
    float shininess;
    vec3 emission;  // what the surface gives off by itself: a light's own sphere
};

in vec3 fragPosition;
in vec3 fragNormal;
in vec2 fragTexCoord;

uniform Light light;
uniform Material material;
uniform vec3 viewPosition;
uniform float alpha;
uniform sampler2D texture2d;
uniform samplerCube depthMap;
uniform float far_plane;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 glowColor;

const float glowStrength = 2.6;  // white-hot once bloom adds it to the tint

const float shadowMapSize = 1024.0;  // texels along a cube face
// Four lookups one texel diagonally around the fragment's, for a soft shadow edge.
const vec2 sampleOffsets[4] = vec2[](vec2(1, 1), vec2(-1, 1), vec2(1, -1), vec2(-1, -1));

// The s, t and major axes (columns) of the cube face a direction falls on, by OpenGL's face table.
mat3 cubeFaceAxes(vec3 d) {
    vec3 a = abs(d);
    vec3 s = sign(d);
    if (a.x >= a.y && a.x >= a.z) return mat3(0, 0, -s.x, 0, -1, 0, s.x, 0, 0);
    if (a.y >= a.z) return mat3(1, 0, 0, 0, 0, s.y, 0, s.y, 0);
    return mat3(s.z, 0, 0, 0, -1, 0, 0, 0, s.z);
}

// 1 where the light reaches the fragment, 0 in full shadow, smooth in between: every lookup
// compares the 2 x 2 texels around it and weights them as bilinear filtering would.
float lightVisibility(vec3 normal, float cosine) {
    // A cube face texel spans about distance / 512 units; offsetting along the normal by
    // a texel keeps lit faces off their own depth (acne) without a large depth bias
    // (which would detach shadows from their casters).
    float texel = length(fragPosition - light.position) / 512.0;
    vec3 fromLight = fragPosition + normal * (1.5 * texel) - light.position;
    // The filter compares texels up to two beyond the lookup; on a slanted face they lie nearer
    // the light by the slope, so the bias grows with it.
    float slant = max(cosine, 0.1);
    float reference = length(fromLight) - texel * (0.5 + 1.5 * sqrt(1.0 - slant * slant) / slant);
    mat3 face = cubeFaceAxes(fromLight);
    vec3 onFace = fromLight * face;  // s, t and the distance along the major axis
    float faceTexel = onFace.z * 2.0 / shadowMapSize;  // one texel along s or t, in world units
    // Whole-texel steps keep every lookup at the same place between its four texels.
    vec2 between = fract((0.5 * onFace.xy / onFace.z + 0.5) * shadowMapSize - 0.5);
    vec4 lit = vec4(0.0);
    for (int i = 0; i < 4; ++i) {
        vec3 direction = fromLight + faceTexel * (sampleOffsets[i].x * face[0] + sampleOffsets[i].y * face[1]);
        lit += step(vec4(reference), textureGather(depthMap, direction) * far_plane);
    }
    return 0.25 * mix(mix(lit.w, lit.z, between.x), mix(lit.x, lit.y, between.x), between.y);
}

void main() {
    vec3 texel = texture(texture2d, fragTexCoord).rgb;
    texel *= texel;  // images are gamma encoded; light them in linear space
    vec3 normal = normalize(fragNormal);
    vec3 lightDirection = normalize(light.position - fragPosition);
    vec3 halfway = normalize(lightDirection + normalize(viewPosition - fragPosition));

    float cosine = max(dot(normal, lightDirection), 0.0);
    float highlight = cosine > 0.0 ? pow(max(dot(normal, halfway), 0.0), material.shininess) : 0.0;

    vec3 emitted = light.ambient * material.ambient * texel + material.emission;
    vec3 direct = light.diffuse * material.diffuse * texel * cosine;
    vec3 specular = light.specular * material.specular * highlight;
    float visibility = any(greaterThan(direct + specular, vec3(0.0))) ? lightVisibility(normal, cosine) : 1.0;

    // A full-strength ambient term marks a self-lit surface. Its colour is a plain tint unless its
    // material emits (the light's own sphere, near white even without bloom), so through the
    // translucent one the background still shows; its glow goes to the bloom output, faint for a
    // translucent one (blending scales it once more). Lit surfaces never glow.
    float selfLit = smoothstep(0.5, 1.0, min(min(light.ambient.r, light.ambient.g), light.ambient.b) *
                                         min(min(material.ambient.r, material.ambient.g), material.ambient.b));
    fragColor = vec4(emitted + visibility * (direct + specular), alpha);
    glowColor = vec4(selfLit * alpha * alpha * glowStrength * light.ambient * material.ambient, alpha);
}
