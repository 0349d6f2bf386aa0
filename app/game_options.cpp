#include "app/game_options.h"

#include <ostream>
#include <string>

#include "game/guided_views.h"
#include "game/settings.h"

namespace {
constexpr int minWidth = 320, minHeight = 240;
constexpr int maxWidth = 7680, maxHeight = 4320;

const char* const usage =
    "Usage: quorlax [option]...\n"
    "Quorlax: fly through an asteroid field chased by enemy ships, switching rendering techniques on and off.\n"
    "\n"
    "  --size WxH     open a window of W x H (320x240 to 7680x4320; default 800x600)\n"
    "  --fullscreen   start fullscreen; --size is the window F11 returns to\n"
    "  --pass-times   end each once-a-second report with the GPU time of each pass\n"
    "  --reference    draw every pass in full each frame, reusing nothing (for comparison)\n"
    "  --set NAME=VALUE  start with a switch or parameter set (repeatable; --settings lists them)\n"
    "  --settings     print every switch and parameter with its range and default, and exit\n"
    "  --show NAME    start in the guided view of a technique (tone_map, bloom, shadows,\n"
    "                 level_of_detail, culling, translucency, wireframe, texture_filtering,\n"
    "                 anti_aliasing)\n"
    "  --version      print the version and exit\n"
    "  --help         print this help and exit (-h too)\n"
    "\n"
    "The keys are listed in README.md under Controls; in the game, H shows them with their states.\n";

CommandLine refuse(std::ostream& err, const std::string& reason) {
    err << reason << "\n" << usage << std::flush;
    return CommandLine{GameOptions{}, false, 2};
}
}  // namespace

bool parseWholeNumber(const std::string& text, int& value) {
    // Nine digits at most, so that the value fits an int.
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = 0;
    for (const char digit : text) value = value * 10 + (digit - '0');
    return true;
}

std::string invalidSizeReason(const std::string& text) {
    return "Invalid size: " + text + " (" + std::to_string(minWidth) + "x" + std::to_string(minHeight) + " to " +
           std::to_string(maxWidth) + "x" + std::to_string(maxHeight) + ")";
}

bool parseWindowSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos || !parseWholeNumber(text.substr(0, x), width) ||
        !parseWholeNumber(text.substr(x + 1), height)) {
        return false;
    }
    return width >= minWidth && width <= maxWidth && height >= minHeight && height <= maxHeight;
}

SharedOption readSharedOption(int argc, char** argv, int& i, const char* program, const char* usage,
                              RenderSettings& settings, std::ostream& out, std::string& reason) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
        out << usage << std::flush;
        return SharedOption::Answered;
    }
    if (argument == "--version") {
        out << program << " " << QUORLAX_VERSION << std::endl;
        return SharedOption::Answered;
    }
    if (argument == "--settings") {
        printSettings(out);
        return SharedOption::Answered;
    }
    if (argument != "--set") return SharedOption::NotOne;
    if (i + 1 >= argc) {
        reason = "Missing NAME=VALUE after --set";
        return SharedOption::Refused;
    }
    return applySettingText(settings, argv[++i], reason) ? SharedOption::Applied : SharedOption::Refused;
}

CommandLine parseCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err) {
    CommandLine line;
    GameOptions& options = line.options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        std::string reason;
        const SharedOption shared = readSharedOption(argc, argv, i, "Quorlax", usage, options.settings, out, reason);
        if (shared == SharedOption::Answered) return CommandLine{options, false, 0};
        if (shared == SharedOption::Refused) return refuse(err, reason);
        if (shared == SharedOption::Applied) continue;
        if (argument == "--pass-times") {
            options.passTimes = true;
        } else if (argument == "--reference") {
            options.referenceFrames = true;
        } else if (argument == "--fullscreen") {
            options.fullscreen = true;
        } else if (argument == "--show") {
            if (i + 1 >= argc || !findGuidedView(argv[i + 1])) {
                return refuse(err, "Unknown guided view after --show (tone_map, bloom, shadows, level_of_detail, "
                                   "culling, translucency, wireframe, texture_filtering, anti_aliasing)");
            }
            options.show = argv[++i];
        } else if (argument == "--size") {
            if (i + 1 >= argc) return refuse(err, "Missing size after --size");
            if (!parseWindowSize(argv[++i], options.windowWidth, options.windowHeight)) {
                return refuse(err, invalidSizeReason(argv[i]));
            }
        } else {
            return refuse(err, "Unknown option: " + argument);
        }
    }
    return line;
}
