#include <cstring>
#include <iostream>

#include "tools/check/BookCheck.h"
#include "tools/check/ContactSheet.h"
#include "tools/check/DocumentCheck.h"

// lirava-check checks the whole book, or with --document prints the widget tree of one document,
// or with --contact-sheet draws every page onto one picture.
int main(int argc, char** argv) {
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
