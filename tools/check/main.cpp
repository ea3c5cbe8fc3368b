#include <cstdio>
#include <cstring>
#include <iostream>

#include "tools/check/BookCheck.h"
#include "tools/check/ContactSheet.h"
#include "tools/check/DocumentCheck.h"

namespace {

constexpr const char* kHelp =
    "usage: lirava-check [--resources DIR] [--allow FILE]\n"
    "       lirava-check --document FILE [--resources DIR]\n"
    "       lirava-check --contact-sheet FILE.png [--resources DIR]\n"
    "Checks a book folder or a one-file book (.lirava) the way the reader will use it.\n"
    "\n"
    "  --resources DIR       the book folder or .lirava file (default: the bundled sample book)\n"
    "  --allow FILE          expected findings (default: DIR/check-allow.txt)\n"
    "  --document FILE       print the widget tree of one UI document in DIR\n"
    "  --contact-sheet FILE  draw every page, numbered, onto one PNG picture\n"
    "  --version             print the program's name and version, then exit\n"
    "  -h, --help            print this help, then exit\n"
    "\n"
    "Exit status: 0 when the book is sound, 1 for problems, 2 for bad arguments.\n"
    "lirava-check(1) lists every finding.\n";

bool takesValue(const char* option) {
    for (const char* name : {"--resources", "--allow", "--document", "--contact-sheet"}) {
        if (std::strcmp(option, name) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

// lirava-check checks the whole book, or with --document prints the widget tree of one document,
// or with --contact-sheet draws every page onto one picture.
int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (takesValue(argv[i])) {
            ++i;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        } else if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("lirava-check %s\n", LIRAVA_VERSION);
            return 0;
        }
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--document") == 0) {
            return lirava::check::runDocumentCheck(argc, argv, std::cout, std::cerr);
        }
        if (std::strcmp(argv[i], "--contact-sheet") == 0) {
            return lirava::check::runContactSheet(argc, argv, std::cout, std::cerr);
        }
    }
    return lirava::check::runBookCheck(argc, argv, std::cout, std::cerr);
}
