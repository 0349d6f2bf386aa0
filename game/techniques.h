#pragma once
// Every technique in one table: what it does, its switches (keys, console lines), its parameters
// (--set names, ranges), the passes it costs, and whether each belongs to the picture. The
// keyboard, --set and --settings, the settings panel, the overlay and the README check all read
// it; keys and settings of no technique sit in its "game" and "view" rows.

#include <vector>

#include "game/passes.h"
#include "game/world.h"

enum class SettingType {
    Switch,  // on or off: 1 or 0
    Whole,   // a whole number in steps of `step`
    Real,    // any value in the range
};

// What a key does when pressed; app/controls.cpp carries it out and prints its line.
enum class KeyAction {
    None,           // no key
    Flip,           // flips the flag and prints its line
    FlipQuietly,    // flips the flag, prints nothing
    Sampling,       // F4: nearest / linear; prints both filter lines
    Mipmaps,        // F5: off, nearest, linear; prints both filter lines
    Overlay,        // H: flips; hiding the overlay closes the settings panel
    SettingsPanel,  // Tab: opens the panel, freeing the cursor, or closes it
    PipelineView,   // V: the next pipeline view; its words are the views' names
    Step,           // .: the paused world moves one step
    Fullscreen,     // F11
    Screenshot,     // F12
};

// What the panel and the overlay show beside a switch: what it costs or does now.
enum class SwitchCost {
    None,
    Pass,      // the time of costPass
    DrawnLow,  // how many objects the last scene pass drew with their low-detail model
    Culled,    // how many objects culling skipped, of all
};

// One switch or parameter: a --set name, a key, or both.
struct Setting {
    const char* name;                   // as --set names it; null: a key only
    const char* does;                   // what it changes, in a few words
    SettingType type;
    bool RenderSettings::*flag;         // Switch
    int RenderSettings::*whole;         // Whole, outside the parameters (mip-maps)
    int TechniqueParameters::*count;    // Whole
    float TechniqueParameters::*real;   // Real
    float low, high;                    // the range, inclusive
    int step;                           // Whole: the values are low + k * step
    bool picture;  // part of the picture: the compare view's defaults and a reset restore it
    // Its key, where it has one.
    int key;                            // GLFW key code; 0: none
    const char* label;                  // the key as the README and the overlay name it
    const char* keyDoes;                // what the key does
    KeyAction action;
    const char* prefix;                 // its state reads prefix + a word; null: no state
    std::vector<const char*> words;     // the word of each state (V: the views' own names)
    SwitchCost cost;                    // shown beside the switch
    RenderPass costPass;                // SwitchCost::Pass: which
};

// One row: a technique, or the game's and the view's keys and settings (no passes).
struct Technique {
    const char* name;                  // the panel's group
    const char* explanation;           // what it does, for a learner: two short sentences
    std::vector<RenderPass> passes;    // the passes whose time it changes
    std::vector<Setting> settings;     // in --settings order; the panel lists keys first
};

extern const std::vector<Technique> techniques;

// True where a and b hold the same value of every parameter the table lists.
bool sameParameters(const TechniqueParameters& a, const TechniqueParameters& b);
