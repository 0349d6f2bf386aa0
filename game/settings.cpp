#include "game/settings.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <ostream>
#include <sstream>

namespace {
using TP = TechniqueParameters;
using RS = RenderSettings;

Setting onOff(const char* name, const char* technique, const char* does, bool RS::*flag) {
    return Setting{name, technique, does, SettingType::Switch, flag, nullptr, nullptr, nullptr, 0.0f, 1.0f, 1};
}
Setting real(const char* name, const char* technique, const char* does, float TP::*member, float low, float high) {
    return Setting{name, technique, does, SettingType::Real, nullptr, nullptr, nullptr, member, low, high, 0};
}
Setting whole(const char* name, const char* technique, const char* does, int TP::*member, int low, int high,
              int step) {
    return Setting{name,    technique, does, SettingType::Whole, nullptr, nullptr, member, nullptr,
                   float(low), float(high), step};
}

// Switches and filters: the texture filters count as chosen once one is set.
bool isFilter(const Setting& setting) {
    return setting.flag == &RS::textureLinear || setting.whole == &RS::mipmapMode;
}

// Only plain decimals ("-0.5", "2", ".5", "5."): strtof alone would take hex, exponents, "inf" and
// leading spaces, which no range or --settings line is written in.
bool isPlainDecimal(const std::string& text) {
    std::string digits = text.substr(!text.empty() && text[0] == '-' ? 1 : 0);
    const size_t point = digits.find('.');
    if (point != std::string::npos) digits.erase(point, 1);
    return !digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos;
}

// The values the setting takes, as --settings and a refusal name them: "0 or 1", "0.1 to 5",
// "0 to 24 in steps of 2".
std::string rangeText(const Setting& setting) {
    if (setting.type == SettingType::Switch) return "0 or 1";
    std::ostringstream text;
    text << setting.low << " to " << setting.high;
    if (setting.type == SettingType::Whole && setting.step > 1) text << " in steps of " << setting.step;
    return text.str();
}
}  // namespace

const Setting settings[] = {
    real("exposure", "tone map", "HDR colour scale before the tone curve", &TP::exposure, 0.1f, 5.0f),
    onOff("bloom", "bloom", "add the blurred glow", &RS::bloom),
    whole("blur_passes", "bloom", "one-dimensional blur passes", &TP::blurPasses, 0, 24, 2),
    real("blur_spread", "bloom", "texels from a blur tap to the next", &TP::blurSpread, 0.5f, 10.0f),
    real("light_emission", "bloom", "what the light's sphere gives off", &TP::lightEmission, 0.0f, 8.0f),
    onOff("shadows", "shadows", "lit surfaces look up the shadow cube", &RS::shadows),
    real("shadow_softness", "shadows", "spacing of the filter's lookups, texels", &TP::shadowSoftness, 0.0f, 4.0f),
    real("shadow_bias", "shadows", "depth bias, texels", &TP::shadowBias, 0.0f, 4.0f),
    onOff("shadow_map_sky", "shadows", "the shadow cube as the sky", &RS::showShadowCubeMap),
    onOff("lod_always_lowest", "level of detail", "always the low-detail model", &RS::lodAlwaysLowest),
    real("lod_distance", "level of detail", "distance where rocks draw low, units", &TP::lodDistance, 10.0f, 300.0f),
    onOff("frustum_culling", "culling", "skip objects outside the view", &RS::frustumCulling),
    real("field_of_view", "culling", "vertical view angle, degrees", &TP::fieldOfView, 30.0f, 110.0f),
    onOff("transparency", "translucency", "blend translucent objects", &RS::transparency),
    real("orbit_opacity", "translucency", "the orbit sphere's alpha", &TP::orbitOpacity, 0.05f, 1.0f),
    onOff("wireframe", "wireframe", "polygons as lines", &RS::wireframe),
    onOff("texture_linear", "texture filtering", "linear instead of nearest", &RS::textureLinear),
    Setting{"mipmaps", "texture filtering", "0 off, 1 nearest, 2 linear", SettingType::Whole, nullptr, &RS::mipmapMode,
            nullptr, nullptr, 0.0f, 2.0f, 1},
    onOff("enemies_follow", "game", "enemies pursue the craft", &RS::enemiesFollow),
    onOff("mouse_x_turns", "game", "mouse x yaws the craft instead of rolling it", &RS::mouseXTurns),
    onOff("frame_statistics", "game", "fps lines on the console", &RS::printFrameStats),
    onOff("overlay", "game", "the on-screen panel", &RS::overlay),
    onOff("paused", "game", "the world's time stands still", &RS::paused),
    onOff("compare", "game", "defaults left, yours right", &RS::compare),
};
const int settingCount = static_cast<int>(std::size(settings));

const Setting* findSetting(const std::string& name) {
    for (const Setting& setting : settings) {
        if (name == setting.name) return &setting;
    }
    return nullptr;
}

float settingValue(const RenderSettings& in, const Setting& setting) {
    if (isFilter(setting)) {
        const TextureFilters now = textureFilters(in);
        return setting.flag ? float(now.linear) : float(now.mipmapMode);
    }
    if (setting.flag) return in.*setting.flag ? 1.0f : 0.0f;
    if (setting.whole) return static_cast<float>(in.*setting.whole);
    if (setting.count) return static_cast<float>(in.parameters.*setting.count);
    return in.parameters.*setting.real;
}

void setSettingValue(RenderSettings& in, const Setting& setting, float value) {
    if (isFilter(setting) && !in.filtersChosen) {
        // The other filter stays as the textures show it now.
        const TextureFilters loaded = textureFilters(in);
        in.textureLinear = loaded.linear;
        in.mipmapMode = loaded.mipmapMode;
        in.filtersChosen = true;
    }
    if (setting.flag) in.*setting.flag = value != 0.0f;
    if (setting.whole) in.*setting.whole = static_cast<int>(value);
    if (setting.count) in.parameters.*setting.count = static_cast<int>(value);
    if (setting.real) in.parameters.*setting.real = value;
}

bool applySettingText(RenderSettings& in, const std::string& text, std::string& reason) {
    const size_t equals = text.find('=');
    const Setting* setting = findSetting(text.substr(0, equals));
    if (!setting) {
        reason = "Unknown setting: " + text.substr(0, equals) + " (--settings lists them)";
        return false;
    }
    if (equals == std::string::npos) {
        reason = "Missing =VALUE in --set " + text;
        return false;
    }
    const std::string valueText = text.substr(equals + 1);
    errno = 0;
    const float value = isPlainDecimal(valueText) ? std::strtof(valueText.c_str(), nullptr) : NAN;
    const bool inSteps =
        setting->type == SettingType::Real || std::fmod(value - setting->low, float(setting->step)) == 0.0f;
    // NaN, for what is no plain decimal, fails every comparison.
    if (errno != 0 || !(value >= setting->low) || value > setting->high || !inSteps) {
        reason = "Invalid value for " + std::string(setting->name) + ": " + valueText + " (" + rangeText(*setting) +
                 ")";
        return false;
    }
    setSettingValue(in, *setting, value);
    return true;
}

void printSettings(std::ostream& out) {
    const RenderSettings defaults;
    for (const Setting& setting : settings) {
        out << setting.name << "  " << rangeText(setting) << "  (default " << settingValue(defaults, setting) << ")  "
            << setting.technique << ": " << setting.does << "\n";
    }
    out << std::flush;
}

void printSettingValues(const RenderSettings& in, std::ostream& out) {
    out << "settings";
    for (const Setting& setting : settings) out << " " << setting.name << "=" << settingValue(in, setting);
    out << std::endl;
}
