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

// Four directions spread around the lookup for a soft shadow edge.
const vec3 sampleOffsets[4] = vec3[](vec3(1, 1, 1), vec3(-1, -1, 1), vec3(-1, 1, -1), vec3(1, -1, -1));

// 1 where the light reaches the fragment, 0 in full shadow.
float lightVisibility(vec3 normal) {
    // A cube face texel spans about distance / 512 units; offsetting along the normal by
    // a texel keeps lit faces off their own depth (acne) without a large depth bias
    // (which would detach shadows from their casters).
    float texel = length(fragPosition - light.position) / 512.0;
    vec3 fromLight = fragPosition + normal * (1.5 * texel) - light.position;
    float reference = length(fromLight) - 0.5 * texel;
    float lit = 0.0;
    for (int i = 0; i < 4; ++i) {
        float closest = texture(depthMap, fromLight + sampleOffsets[i] * texel).r * far_plane;
        lit += step(reference, closest);
    }
    return 0.25 * lit;
}

void main() {
    vec3 texel = texture(texture2d, fragTexCoord).rgb;
    texel *= texel;  // images are gamma encoded; light them in linear space
    vec3 normal = normalize(fragNormal);
    vec3 lightDirection = normalize(light.position - fragPosition);
    vec3 halfway = normalize(lightDirection + normalize(viewPosition - fragPosition));

    float cosine = max(dot(normal, lightDirection), 0.0);
    float highlight = cosine > 0.0 ? pow(max(dot(normal, halfway), 0.0), material.shininess) : 0.0;

    vec3 emitted = light.ambient * material.ambient * texel;
    vec3 direct = light.diffuse * material.diffuse * texel * cosine;
    vec3 specular = light.specular * material.specular * highlight;
    float visibility = any(greaterThan(direct + specular, vec3(0.0))) ? lightVisibility(normal) : 1.0;

    // A full-strength ambient term marks a self-lit surface: it shines well above white and glows.
    float selfLit = smoothstep(0.5, 1.0, min(min(light.ambient.r, light.ambient.g), light.ambient.b) *
                                         min(min(material.ambient.r, material.ambient.g), material.ambient.b));
    vec3 color = emitted * (1.0 + 2.0 * selfLit) + visibility * (direct + specular);
    fragColor = vec4(color, alpha);
    glowColor = vec4(selfLit * color, alpha);
}
