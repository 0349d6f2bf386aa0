#pragma once
// What the command line asks of the game.

#include <iosfwd>
#include <string>

#include "game/world.h"

struct GameOptions {
    bool passTimes = false;        // --pass-times: GPU time of each pass in the statistics
    bool referenceFrames = false;  // --reference: every pass redraws its whole target
    bool fullscreen = false;       // --fullscreen: start on the monitor's own video mode
    int windowWidth = 800;         // --size: the window, in screen coordinates (also the one
    int windowHeight = 600;        //   fullscreen returns to)
    RenderSettings settings;       // --set NAME=VALUE: the switches and parameters to start with
    std::string show;              // --show NAME: the guided view to start in; empty: the game
};

// The command line read: either options to run the game with, or nothing to run and the status
// to leave with (the usage, the version or an error already printed).
struct CommandLine {
    GameOptions options;
    bool runGame = true;
    int exitStatus = 0;
};

// Digits only (at most nine), no sign or space: a whole number from 0; false for anything else.
bool parseWholeNumber(const std::string& text, int& value);
// "WxH" with W from 320 to 7680 and H from 240 to 4320, digits only; false for anything else.
bool parseWindowSize(const std::string& text, int& width, int& height);
// "Invalid size: TEXT (320x240 to 7680x4320)": the refusal of a size parseWindowSize rejects.
std::string invalidSizeReason(const std::string& text);

// What readSharedOption made of an argument.
enum class SharedOption {
    NotOne,    // none of the options the game and the benchmark share
    Applied,   // --set NAME=VALUE, written into the settings
    Answered,  // --help, -h, --version or --settings: printed to out, nothing to run (status 0)
    Refused,   // a missing, unknown or bad --set: the reason is written
};
// The options the game and the benchmark share: --help or -h (the usage given), --version (the program's
// name given and the version), --settings (every setting's range and default) and --set NAME=VALUE
// (the value is the next argument; i is moved past it).
SharedOption readSharedOption(int argc, char** argv, int& i, const char* program, const char* usage,
                              RenderSettings& settings, std::ostream& out, std::string& reason);

// Reads main's arguments. --help and --version print to out; an unknown option or a bad value
// prints the reason and the usage to err and gives status 2.
CommandLine parseCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err);
