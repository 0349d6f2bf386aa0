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

// 1 where the light reaches the fragment, 0 in full shadow (see SpecularShader).
float lightVisibility(vec3 normal, float cosine) {
    float texel = length(fragPosition - light.position) / 512.0;
    vec3 fromLight = fragPosition + normal * (1.5 * texel) - light.position;
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
    float cosine = max(dot(normal, normalize(light.position - fragPosition)), 0.0);
    float visibility = cosine > 0.0 ? lightVisibility(normal, cosine) : 1.0;
    float facing = max(dot(normal, normalize(viewPosition - fragPosition)), 0.0);
    vec3 rim = vec3(0.05, 0.09, 0.2) * pow(1.0 - facing, 3.0) * cosine;
    vec3 color = texel * (light.ambient + 1.2 * light.diffuse * cosine * visibility) + rim * visibility;
    fragColor = vec4(color, 1.0);
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);
}
