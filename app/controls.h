#pragma once
// Every key the game reads, one row each. The keyboard acts on the rows, the console and the
// overlay say a row's state in its words, and the README's controls table names every row.

#include <iosfwd>

struct GLFWwindow;
struct RenderSettings;

enum class ControlKind {
    Held,    // read while held: flight, free-view flying, quitting
    View,    // chooses the view: every frame while held, and once for a tap shorter than a frame
    Switch,  // acts once per press, however long it is held
};

struct Control {
    int key;                       // GLFW key code; 0 for the mouse
    const char* label;             // the key as the README and the overlay name it
    const char* does;              // what it does, in a few words
    ControlKind kind;
    bool RenderSettings::*flag;    // the switch it flips, or null
    const char* prefix;            // its state reads prefix + a word; null: the row has no state
    const char* words[5];          // the console's word for each state (the overlay's where it prints none)
    int (*state)();                // the state's index into words, where it is not the flag (set: 0)
    // A view key or a switch pressed: changes the view or flips flags, and prints its line.
    void (*press)(const Control& self, GLFWwindow* window, std::ostream& out);
};

extern const Control controls[];
extern const int controlCount;

// The row of a key that acts when pressed (a view key or a switch), or null.
const Control* pressedControl(int key);
// The index of the row's current state into its words.
int stateIndex(const Control& control);
// The row's state as the console writes it, prefix and word, and a line end.
void printState(const Control& control, std::ostream& out);

// View keys (1 to 6, 8): every frame while held, and once for a press shorter than a frame; of
// several, the one pressed last decides.
void handleViewKeys(GLFWwindow* window);
// Each switch pressed since the frame began acts once, in press order.
void handleSwitchKeys(GLFWwindow* window, std::ostream& out);
// Tab's other half: captures the cursor again, centred, so that steering resumes without a jump.
void closeSettingsPanel(GLFWwindow* window, std::ostream& out);
// "chase", "free" or "orbit 3" to "orbit 6": the view the view keys chose.
const char* currentViewName();
