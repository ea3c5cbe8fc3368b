#pragma once

#include <string>
#include <vector>

namespace lirava {

// What the command line asks of a run.
struct LaunchOptions {
    // The resource root (the book): an existing folder or file after a successful parse; a file
    // is an archived book. Given by --resources or as the one argument that is not an option.
    std::string resourceRoot;
    bool headless = false;
    // --size WxH: the headless frame, or the window size in window mode.
    bool sizeGiven = false;
    int frameWidth = 640;
    int frameHeight = 960;
    // --script FILE, "-" for standard input; empty for none.
    std::string scriptPath;
    // --speed X: the narration speed to start with, one of kNarrationSpeeds.
    float narrationSpeed = 1.0f;
    // --captions TAG: the caption language asked for ("off" for none); empty when not given.
    // Whether the book has it is the program's to check.
    std::string captionLanguage;
};

// The one-line summary of the options.
const char* launchUsage();
// What --help prints after the summary: one line per option.
const char* launchHelp();

// Reads argv into options. bundledRoots are the folders tried, in order, when --resources is not
// given. Returns false when the program must stop at once, with exitStatus 0 after --help or
// --version and 2 after a usage error; the message has then been printed (standard error for
// errors, one line).
bool parseLaunchOptions(int argc, const char* const* argv, const std::vector<std::string>& bundledRoots,
                        LaunchOptions& options, int& exitStatus);

}  // namespace lirava
