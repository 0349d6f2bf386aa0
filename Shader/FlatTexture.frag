#version 410 core
// A planet's surface: its texture lit by the point light, with a soft terminator.
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

void main() {
    vec3 texel = texture(texture2d, fragTexCoord).rgb;
    vec3 normal = normalize(fragNormal);
    vec3 toLight = light.position - fragPosition;
    float cosine = max(dot(normal, normalize(toLight)), 0.0);
    float distanceToLight = length(toLight);
    float closest = texture(depthMap, -toLight).r * far_plane;
    float visibility = (distanceToLight - 1.5 > closest) ? 0.15 : 1.0;
    vec3 rim = vec3(0.25, 0.35, 0.6) * pow(1.0 - max(dot(normal, normalize(viewPosition - fragPosition)), 0.0), 3.0);
    vec3 color = texel * (light.ambient + 1.2 * light.diffuse * cosine * visibility) + rim * cosine;
    fragColor = vec4(color, 1.0);
    glowColor = vec4(0.0, 0.0, 0.0, 1.0);
}
