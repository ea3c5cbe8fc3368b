// lirava-make: makes a book the reader opens from a manifest of pictures, sentences and
// recordings.

#include <SDL.h>
#include <SDL_image.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/make/BookFiles.h"
#include "tools/make/BookMaker.h"
#include "tools/make/Manifest.h"
#include "tools/make/StagedOutput.h"

namespace {

const char* const kUsage =
    "Usage: lirava-make MANIFEST -o OUT\n"
    "Makes a book from a manifest of pictures, sentences and recordings.\n"
    "OUT ending in .lirava is written as one file, anything else as a book folder.\n"
    "  -o, --output OUT   where to write the book (replaced only once the new one is complete)\n"
    "  -h, --help         this text\n"
    "      --version      the version\n"
    "Exit status: 0 when the book is made, 1 when it cannot be, 2 for bad arguments.\n";

// Set by SIGINT or SIGTERM: the maker stops at the next sentence and removes what it made, so an
// interrupted run leaves OUT as it was and nothing beside it.
volatile std::sig_atomic_t g_stop = 0;

void requestStop(int) {
    g_stop = 1;
}

int usage(const char* why) {
    std::fprintf(stderr, "lirava-make: %s\n%s", why, kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string manifestPath;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("lirava-make %s\n", LIRAVA_VERSION);
            return 0;
        }
        if (arg == "-o" || arg == "--output") {
            if (++i >= argc) {
                return usage("-o needs a path");
            }
            out = argv[i];
        } else if (!arg.empty() && arg[0] == '-') {
            return usage(("unknown option " + arg).c_str());
        } else if (manifestPath.empty()) {
            manifestPath = arg;
        } else {
            return usage("one manifest at a time");
        }
    }
    if (manifestPath.empty() || out.empty()) {
        return usage("a manifest and -o OUT are needed");
    }

    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    lirava::make::Manifest manifest;
    std::string error;
    if (!lirava::make::loadManifest(manifestPath, manifest, error)) {
        std::fprintf(stderr, "lirava-make: %s\nlirava-make: no book made; %s is as it was\n", error.c_str(),
                     out.c_str());
        return 1;
    }
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
    lirava::make::BookMaker maker(manifest, lirava::make::BookFiles::sampleBook());
    std::vector<std::string> problems;
    if (!maker.check(problems)) {
        for (const std::string& problem : problems) {
            std::fprintf(stderr, "lirava-make: %s\n", problem.c_str());
        }
        std::fprintf(stderr, "lirava-make: no book made; %s is as it was\n", out.c_str());
        return 1;
    }

    lirava::make::StagedOutput output(out);
    lirava::make::MakeReport report;
    if (!output.begin(error) || !maker.make(output.folder(), report, error, &g_stop) || !output.commit(error)) {
        std::fprintf(stderr, "lirava-make: %s\nlirava-make: no book made; %s is as it was\n", error.c_str(),
                     out.c_str());
        return 1;
    }
    std::printf("Made \"%s\" at %s: %d pages, %d sentences.\n", manifest.title.c_str(), out.c_str(), report.pages,
                report.sentences);
    for (const std::string& split : report.splits) {
        std::printf("%s\n", split.c_str());
    }
    if (!report.synthetic.empty()) {
        std::printf("Spoken by espeak-ng (no recording), %zu sentences:\n", report.synthetic.size());
        for (const std::string& line : report.synthetic) {
            std::printf("  %s\n", line.c_str());
        }
    }
    return 0;
}
