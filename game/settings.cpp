#include "game/settings.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <sstream>

namespace {
using RS = RenderSettings;

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

const Setting* findSetting(const std::string& name) {
    for (const Technique& technique : techniques) {
        for (const Setting& setting : technique.settings) {
            if (setting.name && name == setting.name) return &setting;
        }
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
    for (const Technique& technique : techniques) {
        for (const Setting& setting : technique.settings) {
            if (!setting.name) continue;
            out << setting.name << "  " << rangeText(setting) << "  (default " << settingValue(defaults, setting)
                << ")  " << technique.name << ": " << setting.does << "\n";
        }
    }
    out << std::flush;
}

void printSettingValues(const RenderSettings& in, std::ostream& out) {
    out << "settings";
    for (const Technique& technique : techniques) {
        for (const Setting& setting : technique.settings) {
            if (setting.name) out << " " << setting.name << "=" << settingValue(in, setting);
        }
    }
    out << std::endl;
}
