#pragma once
// Every switch and parameter of the techniques' table by name: what --set and --settings read and
// write, and what the settings panel's sliders show.

#include <iosfwd>
#include <string>

#include "game/techniques.h"

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
