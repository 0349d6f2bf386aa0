#version 410 core
// Adds the blurred glow, tone-maps with the exposure, applies gamma and a light dither.
in vec2 uv;

uniform sampler2D scene;
uniform sampler2D bloomBlur;
uniform int bloom;
uniform vec4 glowArea;  // pixels x0, y0, x1, y1 where the blurred glow may be non-zero
uniform float exposure;

layout(location = 0) out vec4 fragColor;

void main() {
    vec3 hdr = texture(scene, uv).rgb;
    if (bloom == 1 && all(greaterThanEqual(gl_FragCoord.xy, glowArea.xy)) && all(lessThan(gl_FragCoord.xy, glowArea.zw))) {
        hdr += texture(bloomBlur, uv).rgb;
    }
    vec3 mapped = vec3(1.0) - exp(-hdr * exposure);
    mapped = pow(mapped, vec3(1.0 / 2.2));
    float noise = fract(52.9829189 * fract(dot(gl_FragCoord.xy, vec2(0.06711056, 0.00583715))));
    mapped += (noise - 0.5) / 255.0;
    fragColor = vec4(mapped, 1.0);
}
