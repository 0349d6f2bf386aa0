#version 410 core
// Blinn-Phong with one point light, omnidirectional shadows and a glow output for bloom.
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

const vec3 sampleOffsets[4] = vec3[](vec3(1, 1, 1), vec3(-1, -1, 1), vec3(-1, 1, -1), vec3(1, -1, -1));

// 1 where the fragment is lit, 0 in full shadow, with a few samples to soften the edge.
float lightVisibility(vec3 toFragment, float cosine) {
    float distanceToLight = length(toFragment);
    float bias = max(0.6, 2.0 * (1.0 - cosine)) + distanceToLight * 0.004;
    float radius = 0.002 * distanceToLight + 0.05;
    float lit = 0.0;
    for (int i = 0; i < 4; ++i) {
        float closest = texture(depthMap, toFragment + sampleOffsets[i] * radius).r * far_plane;
        lit += (distanceToLight - bias > closest) ? 0.0 : 1.0;
    }
    return lit * 0.25;
}

void main() {
    vec3 texel = texture(texture2d, fragTexCoord).rgb;
    vec3 normal = normalize(fragNormal);
    vec3 toLight = light.position - fragPosition;
    vec3 lightDirection = normalize(toLight);
    vec3 viewDirection = normalize(viewPosition - fragPosition);
    vec3 halfway = normalize(lightDirection + viewDirection);

    float cosine = max(dot(normal, lightDirection), 0.0);
    float highlight = cosine > 0.0 ? pow(max(dot(normal, halfway), 0.0), material.shininess) : 0.0;

    vec3 ambient = light.ambient * material.ambient * texel;
    vec3 diffuse = light.diffuse * cosine * material.diffuse * texel;
    vec3 specular = light.specular * highlight * material.specular;
    float visibility = (cosine > 0.0) ? lightVisibility(-toLight, cosine) : 1.0;

    vec3 color = ambient + visibility * (diffuse + specular);
    fragColor = vec4(color, alpha);
    // Only unshaded (self-lit) surfaces and strong highlights glow.
    float glow = max(max(light.ambient.r, light.ambient.g), light.ambient.b) >= 1.0 ? 1.0 : 0.0;
    vec3 bright = glow * color + max(specular * visibility - 0.6, 0.0);
    glowColor = vec4(bright, 1.0);
}
