#version 410 core
// Adds the blurred glow (built with ADD_GLOW), tone-maps with the exposure, applies gamma and a
// light dither. Without ADD_GLOW it never reads the glow: where that is zero, it is the same sum.
in vec2 uv;

uniform sampler2D scene;
uniform sampler2D bloomBlur;
uniform int bloom;
uniform float exposure;
uniform float glowStrength;  // 1 for the blur passes' glow; the chain's summed levels take a share

layout(location = 0) out vec4 fragColor;

void main() {
    vec3 hdr = texture(scene, uv).rgb;
#ifdef ADD_GLOW
    if (bloom == 1) hdr += glowStrength * texture(bloomBlur, uv).rgb;
#endif
    vec3 mapped = vec3(1.0) - exp(-hdr * exposure);
    mapped = pow(mapped, vec3(1.0 / 2.2));
    float noise = fract(52.9829189 * fract(dot(gl_FragCoord.xy, vec2(0.06711056, 0.00583715))));
    mapped += (noise - 0.5) / 255.0;
    fragColor = vec4(mapped, 1.0);
}
