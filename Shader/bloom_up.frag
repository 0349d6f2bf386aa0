#version 410 core
// One step up the bloom chain: the smaller level through a 3 x 3 tent, radius texels of it apart,
// added (by blending) to the level twice its size.
in vec2 uv;

uniform sampler2D image;  // the smaller level, already holding everything below it
uniform float radius;     // texels of the smaller level

layout(location = 0) out vec4 fragColor;

void main() {
    vec2 t = radius / vec2(textureSize(image, 0));
    vec3 sum = 4.0 * texture(image, uv).rgb;
    sum += 2.0 * (texture(image, uv + vec2(t.x, 0.0)).rgb + texture(image, uv - vec2(t.x, 0.0)).rgb +
                  texture(image, uv + vec2(0.0, t.y)).rgb + texture(image, uv - vec2(0.0, t.y)).rgb);
    sum += texture(image, uv + t).rgb + texture(image, uv - t).rgb + texture(image, uv + vec2(t.x, -t.y)).rgb +
           texture(image, uv + vec2(-t.x, t.y)).rgb;
    fragColor = vec4(sum / 16.0, 1.0);
}
