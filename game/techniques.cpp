#include "game/techniques.h"

#include "game/input.h"

namespace {
using TP = TechniqueParameters;
using RS = RenderSettings;
using Words = std::vector<const char*>;
const Words enabled = {"enabled", "disabled"};

Setting named(const char* name, const char* does, SettingType type, float low, float high, int step) {
    Setting setting{};
    setting.name = name;
    setting.does = does;
    setting.type = type;
    setting.low = low;
    setting.high = high;
    setting.step = step;
    setting.picture = true;
    return setting;
}
Setting onOff(const char* name, const char* does, bool RS::*flag, bool picture = true) {
    Setting setting = named(name, does, SettingType::Switch, 0.0f, 1.0f, 1);
    setting.flag = flag;
    setting.picture = picture;
    return setting;
}
Setting real(const char* name, const char* does, float TP::*member, float low, float high) {
    Setting setting = named(name, does, SettingType::Real, low, high, 0);
    setting.real = member;
    return setting;
}
Setting whole(const char* name, const char* does, int TP::*member, int low, int high, int step) {
    Setting setting = named(name, does, SettingType::Whole, float(low), float(high), step);
    setting.count = member;
    return setting;
}
// Shown beside the switch: what it costs or does now.
Setting costing(Setting setting, SwitchCost cost, RenderPass pass = RenderPass::Scene) {
    setting.cost = cost;
    setting.costPass = pass;
    return setting;
}
// The one whole setting outside the parameters.
Setting mipmaps() {
    Setting setting = named("mipmaps", "0 off, 1 nearest, 2 linear", SettingType::Whole, 0.0f, 2.0f, 1);
    setting.whole = &RS::mipmapMode;
    return setting;
}
// The setting with its key: what the key does, and the console line it prints.
Setting keyed(Setting setting, int key, const char* label, const char* keyDoes, const char* prefix, Words words,
              KeyAction action = KeyAction::Flip) {
    setting.key = key;
    setting.label = label;
    setting.keyDoes = keyDoes;
    setting.prefix = prefix;
    setting.words = std::move(words);
    setting.action = action;
    return setting;
}
// A key with no --set name; flag: the state it shows, if any.
Setting keyOnly(int key, const char* label, const char* keyDoes, KeyAction action, const char* prefix = nullptr,
                Words words = {}, bool RS::*flag = nullptr) {
    Setting setting = onOff(nullptr, nullptr, flag, false);
    return keyed(setting, key, label, keyDoes, prefix, std::move(words), action);
}
}  // namespace

const std::vector<Technique> techniques = {
    {"tone map",
     "The scene is lit in high dynamic range, brighter than a screen shows. The tone curve squeezes it into the "
     "screen's range, after scaling it by the exposure.",
     {RenderPass::Composite},
     {real("exposure", "HDR colour scale before the tone curve", &TP::exposure, 0.1f, 5.0f)}},
    {"bloom",
     "Self-lit surfaces also write a glow image, blurred either by passes at full size or by a chain of halvings "
     "added back up. The composite adds the blurred glow, so bright lights bleed a halo.",
     {RenderPass::Blur, RenderPass::Chain, RenderPass::Composite},
     {costing(keyed(onOff("bloom", "add the blurred glow", &RS::bloom), GLFW_KEY_F7, "F7", "bloom", "Bloom ", enabled),
              SwitchCost::Pass, RenderPass::Blur),
      whole("blur_passes", "one-dimensional blur passes", &TP::blurPasses, 0, 24, 2),
      real("blur_spread", "texels from a blur tap to the next", &TP::blurSpread, 0.5f, 10.0f),
      real("light_emission", "what the light's sphere gives off", &TP::lightEmission, 0.0f, 8.0f),
      whole("bloom_method", "0 the classic blur, 1 the downsampled chain", &TP::bloomMethod, 0, 1, 1),
      whole("bloom_levels", "the chain's halvings", &TP::bloomLevels, 3, 8, 1),
      real("bloom_radius", "the chain's adding-up tent, texels", &TP::bloomRadius, 0.5f, 3.0f),
      real("bloom_strength", "the chain's glow added to the scene", &TP::bloomStrength, 0.0f, 2.0f)}},
    {"shadows",
     "A cube map around the light holds the distance to the nearest surface in every direction. A surface farther "
     "from the light than that lies in shadow.",
     {RenderPass::Shadow},
     {keyed(onOff("shadows", "lit surfaces look up the shadow cube", &RS::shadows), GLFW_KEY_L, "L",
            "shadows of the light", "Shadows ", enabled),
      real("shadow_softness", "spacing of the filter's lookups, texels", &TP::shadowSoftness, 0.0f, 4.0f),
      real("shadow_bias", "depth bias, texels", &TP::shadowBias, 0.0f, 4.0f),
      costing(keyed(onOff("shadow_map_sky", "the shadow cube as the sky", &RS::showShadowCubeMap), GLFW_KEY_M, "M",
                    "the shadow depth cube map as the sky", "Sky: ", {"shadow map", "sky"}, KeyAction::FlipQuietly),
              SwitchCost::Pass, RenderPass::Shadow)}},
    {"level of detail",
     "Far rocks are drawn with a simpler model of fewer triangles. Near ones get the detailed model back, where the "
     "difference would show.",
     {RenderPass::Scene},
     {costing(keyed(onOff("lod_always_lowest", "always the low-detail model", &RS::lodAlwaysLowest), GLFW_KEY_F6,
                    "F6", "level of detail: distance based / always the lowest", "LOD ",
                    {"always lowest", "distance based"}),
              SwitchCost::DrawnLow),
      real("lod_distance", "distance where rocks draw low, units", &TP::lodDistance, 10.0f, 300.0f)}},
    {"culling",
     "Objects whose bounds lie wholly outside the view are never drawn. The scene pass saves their work, and a wider "
     "view culls fewer.",
     {RenderPass::Scene},
     {costing(keyed(onOff("frustum_culling", "skip objects outside the view", &RS::frustumCulling),
                    GLFW_KEY_F8, "F8", "view frustum culling", "View Frustum Culling ", enabled),
              SwitchCost::Culled),
      real("field_of_view", "vertical view angle, degrees", &TP::fieldOfView, 30.0f, 110.0f)}},
    {"translucency",
     "Translucent objects are blended over what lies behind them by their alpha. They are drawn after the opaque "
     "ones, so that those show through.",
     {RenderPass::Scene},
     {keyed(onOff("transparency", "blend translucent objects", &RS::transparency), GLFW_KEY_F9, "F9", "transparency",
            "Transparency ", enabled),
      real("orbit_opacity", "the orbit sphere's alpha", &TP::orbitOpacity, 0.05f, 1.0f)}},
    {"wireframe",
     "Polygons are drawn as their edges only. It shows how many triangles each model has, and what level of detail "
     "leaves out.",
     {RenderPass::Scene},
     {costing(keyed(onOff("wireframe", "polygons as lines", &RS::wireframe), GLFW_KEY_F3, "F3", "wireframe",
                    "Wireframe ", enabled),
              SwitchCost::Pass, RenderPass::Scene)}},
    {"texture filtering",
     "Nearest takes one texel, linear blends the four around the sample. Mip-maps are smaller copies of a texture "
     "that keep far surfaces from shimmering.",
     {RenderPass::Scene},
     {keyed(onOff("texture_linear", "linear instead of nearest", &RS::textureLinear), GLFW_KEY_F4, "F4",
            "texture sampling nearest / linear", "Texture Sampling ", {"linear", "Nearest Neighbor"},
            KeyAction::Sampling),
      keyed(mipmaps(), GLFW_KEY_F5, "F5", "mip-map sampling off / nearest / linear", "Mip Map Sampeling ",
            {"off", "nearest", "linear"}, KeyAction::Mipmaps)}},
    {"anti-aliasing",
     "FXAA finds the pixels where the picture's brightness jumps and blends each across its edge. Jagged "
     "silhouettes and lone bright pixels soften; flat areas stay exactly as they are.",
     {RenderPass::Fxaa},
     {keyed(onOff("fxaa", "smooth the final picture's edges", &RS::fxaa), GLFW_KEY_X, "X", "anti-aliasing (FXAA)",
            "Anti-aliasing ", enabled),
      real("fxaa_edge_threshold", "contrast, of the brightest luma, that makes an edge", &TP::fxaaEdgeThreshold, 0.063f,
           0.333f),
      real("fxaa_subpixel", "how much of a lone pixel's contrast is blended away", &TP::fxaaSubpixel, 0.0f, 1.0f)}},
    {"game",
     "How the game plays and what it reports. None of these change the picture.",
     {},
     {keyed(onOff("enemies_follow", "enemies pursue the craft", &RS::enemiesFollow, false), GLFW_KEY_F1, "F1",
            "enemies follow you / take a break", "Enemies ", {"are following you!", "are taking a break!"}),
      onOff("mouse_x_turns", "mouse x yaws the craft instead of rolling it", &RS::mouseXTurns, false),
      keyed(onOff("frame_statistics", "fps lines on the console", &RS::printFrameStats, false), GLFW_KEY_F2, "F2",
            "frame statistics on the console", "Frame statistics ", {"on", "off"}, KeyAction::FlipQuietly),
      keyed(onOff("overlay", "the on-screen panel", &RS::overlay, false), GLFW_KEY_H, "H", "this overlay",
            "Overlay ", enabled, KeyAction::Overlay),
      keyed(onOff("paused", "the world's time stands still", &RS::paused, false), GLFW_KEY_P, "P",
            "pause the world / run", "", {"Paused", "Running"}),
      keyed(onOff("compare", "defaults left, yours right", &RS::compare, false), GLFW_KEY_C, "C",
            "compare: defaults left, yours right", "Compare ", enabled)}},
    {"view",
     "What the window shows and how it is taken. None of these change the picture.",
     {},
     {keyOnly(GLFW_KEY_PERIOD, ".", "step the paused world by 1/60 s", KeyAction::Step),
      keyOnly(GLFW_KEY_TAB, "Tab", "settings panel: the mouse works the overlay", KeyAction::SettingsPanel,
              "Settings panel ", {"open", "closed"}, &RS::settingsPanel),
      keyOnly(GLFW_KEY_V, "V", "pipeline view: final, before tone map, glow, blurred glow, anti-aliasing edges, shadow cube",
              KeyAction::PipelineView, "Showing: "),
      keyOnly(GLFW_KEY_F11, "F11", "fullscreen on the window's monitor / back", KeyAction::Fullscreen, "Fullscreen ",
              enabled),
      keyOnly(GLFW_KEY_F12, "F12", "save a screenshot (PNG)", KeyAction::Screenshot)}},
};

bool sameParameters(const TechniqueParameters& a, const TechniqueParameters& b) {
    for (const Technique& technique : techniques) {
        for (const Setting& setting : technique.settings) {
            if (setting.count && a.*setting.count != b.*setting.count) return false;
            if (setting.real && a.*setting.real != b.*setting.real) return false;
        }
    }
    return true;
}
