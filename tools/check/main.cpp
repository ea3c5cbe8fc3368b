#include <iostream>

#include "tools/check/DocumentCheck.h"

int main(int argc, char** argv) {
    return lirava::check::runDocumentCheck(argc, argv, std::cout, std::cerr);
}
