#version 410 core
// FXAA, a lean variant, on the tone-mapped picture: its colour is read linear, its luma taken
// on the square root, close to how bright the pixel looks. Five fetches tell whether the
// pixel lies on an edge: where the local contrast of luma stays below the threshold the pixel is
// kept exactly. An edge pixel is read again, bilinearly, shifted across its edge by the larger of
// two amounts: how far its luma stands out from its four neighbours' mean (sub-pixel aliasing),
// and how near it lies to the nearer end of its edge, found by a short search along it.
// With SHOW_EDGES it draws which pixels move, and how far, instead.
uniform sampler2D picture;
uniform float edgeThreshold;  // contrast, as a fraction of the brightest luma around, that makes an edge
uniform float subpixel;       // 0 to 1: how much of a lone pixel's contrast is blended away

layout(location = 0) out vec4 fragColor;

const float darkThreshold = 0.0312;  // contrast below this is no edge however dark the pixel
const int searchSteps = 3;           // pixels searched along an edge on either side

float luma(vec3 colour) { return sqrt(dot(colour, vec3(0.299, 0.587, 0.114))); }

float lumaAt(ivec2 pixel, ivec2 last) { return luma(texelFetch(picture, clamp(pixel, ivec2(0), last), 0).rgb); }

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    ivec2 last = textureSize(picture, 0) - 1;
    vec2 texel = 1.0 / vec2(last + 1);
    vec3 centre = texelFetch(picture, pixel, 0).rgb;
    float m = luma(centre);
    float n = lumaAt(pixel + ivec2(0, 1), last), s = lumaAt(pixel - ivec2(0, 1), last);
    float e = lumaAt(pixel + ivec2(1, 0), last), w = lumaAt(pixel - ivec2(1, 0), last);
    float lowest = min(m, min(min(n, s), min(e, w)));
    float highest = max(m, max(max(n, s), max(e, w)));
    float contrast = highest - lowest;
    if (contrast < max(darkThreshold, highest * edgeThreshold)) {
#ifdef SHOW_EDGES
        fragColor = vec4(vec3(m * m * 0.1), 1.0);
#else
        fragColor = vec4(centre, 1.0);
#endif
        return;
    }
    // Sub-pixel: a pixel unlike all four neighbours is mostly blended away.
    float standOut = clamp(abs((n + s + e + w) * 0.25 - m) / contrast, 0.0, 1.0);
    float smoothed = smoothstep(0.0, 1.0, standOut);
    float subpixelShift = smoothed * smoothed * subpixel;

    // The edge runs along the axis across which luma changes less; step across it towards the
    // neighbour that differs more.
    bool horizontal = abs(n + s - 2.0 * m) >= abs(e + w - 2.0 * m);
    float before = horizontal ? s : w, after = horizontal ? n : e;
    bool towardsAfter = abs(after - m) >= abs(before - m);
    float gradient = max(abs(after - m), abs(before - m));
    float edgeLuma = 0.5 * (m + (towardsAfter ? after : before));
    vec2 across = horizontal ? vec2(0.0, texel.y) : vec2(texel.x, 0.0);
    if (!towardsAfter) across = -across;
    vec2 along = horizontal ? vec2(texel.x, 0.0) : vec2(0.0, texel.y);

    // The edge's ends: where the luma halfway across it leaves the edge's own.
    vec2 uv = (vec2(pixel) + 0.5) * texel;
    vec2 onEdge = uv + 0.5 * across;
    int toNegative = searchSteps, toPositive = searchSteps;
    bool negativeEnd = false, positiveEnd = false;
    float negativeLuma = edgeLuma, positiveLuma = edgeLuma;
    for (int step = 1; step <= searchSteps; ++step) {
        if (!negativeEnd) {
            negativeLuma = luma(texture(picture, onEdge - float(step) * along).rgb);
            negativeEnd = abs(negativeLuma - edgeLuma) >= 0.25 * gradient;
            toNegative = step;
        }
        if (!positiveEnd) {
            positiveLuma = luma(texture(picture, onEdge + float(step) * along).rgb);
            positiveEnd = abs(positiveLuma - edgeLuma) >= 0.25 * gradient;
            toPositive = step;
        }
    }
    // Nearer the end whose luma lies on the centre's side, the pixel takes more of its neighbour.
    bool negativeNearer = toNegative < toPositive;
    float endLuma = negativeNearer ? negativeLuma : positiveLuma;
    float edgeLength = float(toNegative + toPositive);
    bool centreBelow = m < edgeLuma;
    float endShift = ((endLuma - edgeLuma < 0.0) != centreBelow)
                               ? 0.5 - float(min(toNegative, toPositive)) / edgeLength
                               : 0.0;
    float shift = max(subpixelShift, endShift);
#ifdef SHOW_EDGES
    fragColor = vec4(1.0, 0.2 + 1.6 * shift, 0.0, 1.0);
#else
    fragColor = vec4(texture(picture, uv + shift * across).rgb, 1.0);
#endif
}
