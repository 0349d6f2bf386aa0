#version 410 core
// Blinn-Phong with one point light, soft omnidirectional shadows (ShadowLookup.glsl) and a glow
// output for bloom.
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
uniform int shadows;             // 0: every lit surface unshadowed
uniform float shadowSoftness;    // the filter's lookup spacing, texels
uniform float shadowBias;        // texels
uniform vec4 tint;               // a guided view's mark: this colour replaces the given share (alpha) of the lit one

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 glowColor;

const float glowStrength = 2.6;  // white-hot once bloom adds it to the tint

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
    float visibility = shadows == 1 && any(greaterThan(direct + specular, vec3(0.0)))
                           ? lightVisibility(depthMap, far_plane, light.position, fragPosition, normal, cosine,
                                             shadowSoftness, shadowBias)
                           : 1.0;

    // A full-strength ambient term marks a self-lit surface. Its colour is a plain tint unless its
    // material emits (the light's own sphere, near white even without bloom), so through the
    // translucent one the background still shows; its glow goes to the bloom output, faint for a
    // translucent one (blending scales it once more). Lit surfaces never glow.
    float selfLit = smoothstep(0.5, 1.0, min(min(light.ambient.r, light.ambient.g), light.ambient.b) *
                                         min(min(material.ambient.r, material.ambient.g), material.ambient.b));
    fragColor = vec4(emitted + visibility * (direct + specular), alpha);
    if (tint.a > 0.0) fragColor.rgb = mix(fragColor.rgb, tint.rgb, tint.a);
    glowColor = vec4(selfLit * alpha * alpha * glowStrength * light.ambient * material.ambient, alpha);
}
