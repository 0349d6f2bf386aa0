#pragma once
// What the command line asks of the benchmark; read before any window opens.

#include <iosfwd>

#include "game/world.h"

struct BenchOptions {
    int frames = 60;         // --frames: measured frames per scenario, after the warm-up
    bool reference = false;  // --reference: the literal full-frame passes
    bool exactPassTimes = false;  // --exact-pass-times: each pass finished before the next is timed
    int restarts = 0;        // --restarts: restarts measured at the end (0: none)
    int width = 800;         // --size
    int height = 600;
    RenderSettings settings;  // --set: what every scenario starts from
};

// The command line read: options to run with, or nothing to run and the status to leave with.
struct BenchCommandLine {
    BenchOptions options;
    bool run = true;
    int exitStatus = 0;
};

// --help and --version print to out; an unknown option, a missing value or a bad one prints the
// reason and the usage to err and gives status 2.
BenchCommandLine parseBenchCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err);
