#pragma once
// Every switch and parameter by name: what --set and --settings read and write, and what the
// settings panel's sliders show, grouped by the technique they belong to.

#include <iosfwd>
#include <string>

#include "game/world.h"

enum class SettingType {
    Switch,  // on or off: 1 or 0
    Whole,   // a whole number in steps of `step`
    Real,    // any value in the range
};

struct Setting {
    const char* name;       // as --set names it
    const char* technique;  // the panel's group
    const char* does;       // what it changes, in a few words
    SettingType type;
    bool RenderSettings::*flag;            // Switch
    int RenderSettings::*whole;            // Whole, outside the parameters (mip-maps)
    int TechniqueParameters::*count;       // Whole
    float TechniqueParameters::*real;      // Real
    float low, high;                       // the range, inclusive
    int step;                              // Whole: the values are low + k * step
};

extern const Setting settings[];
extern const int settingCount;

// The setting of this name, or null.
const Setting* findSetting(const std::string& name);
// The setting's value in these settings, as a number; the texture filters as the textures use them
// (linear, no mip-maps, as loaded, until one is chosen).
float settingValue(const RenderSettings& in, const Setting& setting);
// Writes the value (already checked to be in range) into the settings; the first texture filter
// chosen keeps the other as loaded.
void setSettingValue(RenderSettings& in, const Setting& setting, float value);
// Reads "NAME=VALUE" and sets it; false with the reason when the name is unknown, "=VALUE" is
// missing, or the value is no plain decimal, out of range or off its steps (the reason names the
// values the setting takes).
bool applySettingText(RenderSettings& in, const std::string& text, std::string& reason);
// One line per setting: name, range and default.
void printSettings(std::ostream& out);
// One line: "settings" and NAME=VALUE for each setting, as these settings hold them.
void printSettingValues(const RenderSettings& in, std::ostream& out);
