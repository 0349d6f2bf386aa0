#pragma once
// The keyboard: the switches of the techniques' table act once per press and print their lines;
// the held keys and the view keys, which are no settings, are the small list below. The README's
// controls table names every key of both.

#include <iosfwd>

#include "game/techniques.h"

struct GLFWwindow;

enum class ControlKind {
    Held,  // read while held: flight, free-view flying, quitting
    View,  // chooses the view: every frame while held, and once for a tap shorter than a frame
};

struct Control {
    int key;                         // GLFW key code; 0 for the mouse
    const char* label;               // the key as the README names it
    const char* does;                // what it does, in a few words
    ControlKind kind;
    void (*press)(GLFWwindow* window);  // a view key's view; null for held keys
};

extern const Control controls[];
extern const int controlCount;

// The table's switch of this key, or null.
const Setting* pressedSwitch(int key);
// The index of the switch's current state into its words, and how many states it has.
int stateIndex(const Setting& setting);
int stateCount(const Setting& setting);
// The word of its current state.
const char* stateWord(const Setting& setting);
// The switch's state as the console writes it, prefix and word, and a line end.
void printState(const Setting& setting, std::ostream& out);
// Does what pressing the switch's key does, console line included.
void pressSwitch(const Setting& setting, GLFWwindow* window, std::ostream& out);
// A setting of the picture back to its value in defaults: a switch prints what its key would
// print for the change, once; nothing where it holds that value already.
void restoreSetting(const Setting& setting, const RenderSettings& defaults, std::ostream& out);

// View keys (1 to 6, 8): every frame while held, and once for a press shorter than a frame; of
// several, the one pressed last decides.
void handleViewKeys(GLFWwindow* window);
// Each switch pressed since the frame began acts once, in press order.
void handleSwitchKeys(GLFWwindow* window, std::ostream& out);
// Tab's other half: captures the cursor again, centred, so that steering resumes without a jump.
void closeSettingsPanel(GLFWwindow* window, std::ostream& out);
// "chase", "free" or "orbit 3" to "orbit 6": the view the view keys chose.
const char* currentViewName();
