#version 410 core
// A planet's surface: its texture lit by the point light, shadowed (ShadowLookup.glsl), with a thin
// bluish rim.
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
uniform int shadows;             // 0: every lit surface unshadowed
uniform float shadowSoftness;    // the filter's lookup spacing, texels
uniform float shadowBias;        // texels
uniform vec4 tint;               // a guided view's mark: this colour replaces the given share (alpha) of the lit one

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 glowColor;

void main() {
    vec3 texel = texture(texture2d, fragTexCoord).rgb;
    texel *= texel;  // images are gamma encoded; light them in linear space
    vec3 normal = normalize(fragNormal);
    float cosine = max(dot(normal, normalize(light.position - fragPosition)), 0.0);
    float visibility = shadows == 1 && cosine > 0.0
                           ? lightVisibility(depthMap, far_plane, light.position, fragPosition, normal, cosine,
                                             shadowSoftness, shadowBias)
                           : 1.0;
    float facing = max(dot(normal, normalize(viewPosition - fragPosition)), 0.0);
    vec3 rim = vec3(0.05, 0.09, 0.2) * pow(1.0 - facing, 3.0) * cosine;
    vec3 color = texel * (light.ambient + 1.2 * light.diffuse * cosine * visibility) + rim * visibility;
    fragColor = vec4(color, 1.0);
    if (tint.a > 0.0) fragColor.rgb = mix(fragColor.rgb, tint.rgb, tint.a);
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);
}
