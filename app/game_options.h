#pragma once
// What the command line asks of the game.

struct GameOptions {
    bool passTimes = false;        // --pass-times: GPU time of each pass in the statistics
    bool referenceFrames = false;  // --reference: every pass redraws its whole target
};

// Reads the options from main's arguments; anything else is ignored.
GameOptions parseGameOptions(int argc, char** argv);
