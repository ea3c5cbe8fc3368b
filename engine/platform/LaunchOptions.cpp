#include "engine/platform/LaunchOptions.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/audio/NarrationSpeed.h"

namespace lirava {

namespace {

bool isFolder(const std::string& path) {
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isFile(const std::string& path) {
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isReadableFile(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

// "640x960": two whole numbers from 1 to 16384.
bool parseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos || x == 0 || x + 1 >= text.size() || x > 5 || text.size() - x - 1 > 5) {
        return false;
    }
    auto number = [](const std::string& digits, int& out) {
        out = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') {
                return false;
            }
            out = out * 10 + (c - '0');
        }
        return out >= 1 && out <= 16384;
    };
    return number(text.substr(0, x), width) && number(text.substr(x + 1), height);
}

// Printable, bounded echo of a user argument for one-line messages.
std::string shown(const char* argument) {
    std::string text;
    for (const char* p = argument; *p && text.size() < 80; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        text += (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
    }
    return text;
}

bool usageError(const std::string& reason, int& exitStatus) {
    std::fprintf(stderr, "lirava: %s; %s\n", reason.c_str(), launchUsage());
    exitStatus = 2;
    return false;
}

}  // namespace

const char* launchUsage() {
    return "usage: lirava [BOOK] [--resources BOOK] [--headless] [--size WxH] [--script FILE|-] [--speed X]"
           " [--captions TAG|off]";
}

const char* launchHelp() {
    return "Shows a narrated picture book page by page and reads it aloud.\n"
           "\n"
           "  BOOK             the book: its folder or its one-file .lirava archive\n"
           "  --resources BOOK the same (default: the bundled sample book)\n"
           "  --headless       no window: draw offscreen on a virtual clock, at full speed\n"
           "  --size WxH       window or headless frame size in pixels (headless: 640x960)\n"
           "  --script FILE    driver commands from FILE, one a line (-: standard input)\n"
           "  --speed X        narration speed to start at: 0.5, 0.75, 1 (default), 1.25 or 1.5\n"
           "  --captions TAG   caption language: a table of the book (en, zh-Hans, es, ...) or off\n"
           "  --version        print the program's name and version, then exit\n"
           "  -h, --help       print this help, then exit\n"
           "\n"
           "lirava(1) describes the driver commands and the keys.";
}

bool parseLaunchOptions(int argc, const char* const* argv, const std::vector<std::string>& bundledRoots,
                        LaunchOptions& options, int& exitStatus) {
    options = LaunchOptions();
    exitStatus = 0;
    bool resourcesGiven = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i] ? argv[i] : "";
        std::string name = arg;
        std::string value;
        bool hasInlineValue = false;
        if (name.rfind("--", 0) == 0) {
            const std::size_t equals = name.find('=');
            if (equals != std::string::npos) {
                value = name.substr(equals + 1);
                name = name.substr(0, equals);
                hasInlineValue = true;
            }
        }
        auto takeValue = [&](std::string& out) {
            if (hasInlineValue) {
                out = value;
                return true;
            }
            if (i + 1 < argc && argv[i + 1]) {
                out = argv[++i];
                return true;
            }
            return false;
        };

        if (name == "--help" || name == "-h") {
            std::printf("%s\n%s\n", launchUsage(), launchHelp());
            std::fflush(stdout);
            exitStatus = 0;
            return false;
        } else if (name == "--version" && !hasInlineValue) {
            std::printf("lirava %s\n", LIRAVA_VERSION);
            std::fflush(stdout);
            exitStatus = 0;
            return false;
        } else if (name == "--headless" && !hasInlineValue) {
            options.headless = true;
        } else if (name == "--resources") {
            if (resourcesGiven) {
                return usageError("only one book can be opened", exitStatus);
            }
            if (!takeValue(options.resourceRoot) || options.resourceRoot.empty()) {
                return usageError("--resources needs a folder", exitStatus);
            }
            resourcesGiven = true;
        } else if (name == "--size") {
            std::string size;
            if (!takeValue(size) || !parseSize(size, options.frameWidth, options.frameHeight)) {
                return usageError("--size needs WIDTHxHEIGHT, each from 1 to 16384", exitStatus);
            }
            options.sizeGiven = true;
        } else if (name == "--script") {
            if (!takeValue(options.scriptPath) || options.scriptPath.empty()) {
                return usageError("--script needs a file, or - for standard input", exitStatus);
            }
        } else if (name == "--speed") {
            std::string speed;
            if (!takeValue(speed) || !parseNarrationSpeed(speed, options.narrationSpeed)) {
                return usageError("--speed needs one of 0.5, 0.75, 1, 1.25, 1.5", exitStatus);
            }
        } else if (name == "--captions") {
            if (!takeValue(options.captionLanguage) || options.captionLanguage.empty()) {
                return usageError("--captions needs a language tag, or off", exitStatus);
            }
        } else if (arg[0] != '-' && arg[0] != '\0') {
            if (resourcesGiven) {
                return usageError("only one book can be opened", exitStatus);
            }
            options.resourceRoot = arg;
            resourcesGiven = true;
        } else {
            return usageError("unknown option \"" + shown(arg) + "\"", exitStatus);
        }
    }

    if (resourcesGiven) {
        // A file is taken for an archived book; the application opens it and says what is wrong
        // with it.
        if (!isFolder(options.resourceRoot) && !isFile(options.resourceRoot)) {
            std::fprintf(stderr, "lirava: resources folder \"%s\" does not exist\n",
                         shown(options.resourceRoot.c_str()).c_str());
            exitStatus = 2;
            return false;
        }
    } else {
        for (const std::string& root : bundledRoots) {
            if (isFolder(root)) {
                options.resourceRoot = root;
                break;
            }
        }
        if (options.resourceRoot.empty()) {
            std::fprintf(stderr, "lirava: the bundled book was not found; name a book folder with --resources DIR\n");
            exitStatus = 2;
            return false;
        }
    }
    if (!options.scriptPath.empty() && options.scriptPath != "-" && !isReadableFile(options.scriptPath)) {
        std::fprintf(stderr, "lirava: script \"%s\" does not exist\n", shown(options.scriptPath.c_str()).c_str());
        exitStatus = 2;
        return false;
    }
    return true;
}

}  // namespace lirava
