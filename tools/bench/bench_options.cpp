#include "tools/bench/bench_options.h"

#include <ostream>
#include <string>

#include "app/game_options.h"

namespace {
const char* const usage =
    "Usage: quorlax-bench [option]...\n"
    "Measures the game's frame on fixed scenarios, one figure a line. Run it from the directory\n"
    "holding Shader/ and Models/ (the build directory), on a display or under xvfb-run.\n"
    "\n"
    "  --frames N     measure N frames of each scenario (1 or more; default 60)\n"
    "  --reference    draw every pass in full each frame, reusing nothing (for comparison)\n"
    "  --exact-pass-times  finish each pass before timing the next (slower, but each time is its own)\n"
    "  --restarts N   end with N restarts and the memory they added (0 or more; default 0: none)\n"
    "  --size WxH     open a window of W x H (320x240 to 7680x4320; default 800x600)\n"
    "  --set NAME=VALUE  run with a switch or parameter set (repeatable; --settings lists them)\n"
    "  --settings     print every switch and parameter with its range and default, and exit\n"
    "  --help         print this help and exit (-h too)\n"
    "  --version      print the version and exit\n";

BenchCommandLine refuse(std::ostream& err, const std::string& reason) {
    err << reason << "\n" << usage << std::flush;
    return BenchCommandLine{BenchOptions{}, false, 2};
}
}  // namespace

BenchCommandLine parseBenchCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err) {
    BenchCommandLine line;
    BenchOptions& options = line.options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        std::string reason;
        const SharedOption shared =
            readSharedOption(argc, argv, i, "quorlax-bench", usage, options.settings, out, reason);
        if (shared == SharedOption::Answered) return BenchCommandLine{options, false, 0};
        if (shared == SharedOption::Refused) return refuse(err, reason);
        if (shared == SharedOption::Applied) continue;
        if (argument == "--reference" || argument == "--exact-pass-times") {
            (argument == "--reference" ? options.reference : options.exactPassTimes) = true;
            continue;
        }
        if (argument != "--frames" && argument != "--restarts" && argument != "--size") {
            return refuse(err, "Unknown option: " + argument);
        }
        if (i + 1 >= argc) return refuse(err, "Missing value after " + argument);
        const std::string value = argv[++i];
        const bool valid = argument == "--size"     ? parseWindowSize(value, options.width, options.height)
                           : argument == "--frames" ? parseWholeNumber(value, options.frames) && options.frames >= 1
                                                    : parseWholeNumber(value, options.restarts);
        if (!valid) {
            return refuse(err, argument == "--size" ? invalidSizeReason(value)
                                                    : "Invalid value for " + argument + ": " + value +
                                                          (argument == "--frames" ? " (1 or more)" : " (0 or more)"));
        }
    }
    return line;
}
