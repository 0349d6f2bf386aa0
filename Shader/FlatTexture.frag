#version 410 core
// A planet's surface: its texture lit by the point light, shadowed, with a thin bluish rim.
struct Light {
    vec3 position;
    vec3 ambient;
    vec3 diffuse;
    vec3 specular;
};

in vec3 fragPosition;
in vec3 fragNormal;
in vec2 fragTexCoord;

uniform Light light;
uniform vec3 viewPosition;
uniform sampler2D texture2d;
uniform samplerCube depthMap;
uniform float far_plane;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 glowColor;

const float shadowMapSize = 1024.0;  // texels along a cube face
const vec3 sampleOffsets[4] = vec3[](vec3(1, 1, 1), vec3(-1, -1, 1), vec3(-1, 1, -1), vec3(1, -1, -1));

// The s, t and major axes of the cube face a direction falls on, by OpenGL's face table.
mat3 cubeFaceAxes(vec3 d) {
    vec3 a = abs(d);
    vec3 s = sign(d);
    if (a.x >= a.y && a.x >= a.z) return transpose(mat3(0, 0, -s.x, 0, -1, 0, s.x, 0, 0));
    if (a.y >= a.z) return transpose(mat3(1, 0, 0, 0, 0, s.y, 0, s.y, 0));
    return transpose(mat3(s.z, 0, 0, 0, -1, 0, 0, 0, s.z));
}

// The share of the 2 x 2 texels around a direction that the light reaches, weighted as
// bilinear filtering would weight them, so the edge fades smoothly rather than in steps.
// The taps stay within a few texels of the lookup, so they share its face.
float litShare(vec3 direction, float reference, mat3 face) {
    vec4 lit = step(vec4(reference), textureGather(depthMap, direction) * far_plane);
    vec3 onFace = face * direction;
    vec2 f = fract((0.5 * onFace.xy / onFace.z + 0.5) * shadowMapSize - 0.5);
    return mix(mix(lit.w, lit.z, f.x), mix(lit.x, lit.y, f.x), f.y);
}

// 1 where the light reaches the fragment, 0 in full shadow (see SpecularShader).
float lightVisibility(vec3 normal) {
    float texel = length(fragPosition - light.position) / 512.0;
    vec3 fromLight = fragPosition + normal * (1.5 * texel) - light.position;
    // The filter compares texels up to one beyond the lookup; on a slanted face they lie nearer
    // the light by the slope, so the bias grows with it.
    float cosine = clamp(dot(normal, normalize(-fromLight)), 0.1, 1.0);
    float reference = length(fromLight) - texel * (0.5 + 1.5 * sqrt(1.0 - cosine * cosine) / cosine);
    mat3 face = cubeFaceAxes(fromLight);
    float lit = 0.0;
    for (int i = 0; i < 4; ++i) lit += litShare(fromLight + sampleOffsets[i] * texel, reference, face);
    return 0.25 * lit;
}

void main() {
    vec3 texel = texture(texture2d, fragTexCoord).rgb;
    texel *= texel;  // images are gamma encoded; light them in linear space
    vec3 normal = normalize(fragNormal);
    float cosine = max(dot(normal, normalize(light.position - fragPosition)), 0.0);
    float visibility = cosine > 0.0 ? lightVisibility(normal) : 1.0;
    float facing = max(dot(normal, normalize(viewPosition - fragPosition)), 0.0);
    vec3 rim = vec3(0.05, 0.09, 0.2) * pow(1.0 - facing, 3.0) * cosine;
    vec3 color = texel * (light.ambient + 1.2 * light.diffuse * cosine * visibility) + rim * visibility;
    fragColor = vec4(color, 1.0);
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);
}
