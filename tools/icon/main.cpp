// lirava-icon SOURCE OUTPUT.png SIZE: the program's desktop icon, the book's figure fitted into a
// transparent square of SIZE pixels. The build makes the installed icon with it.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/render/Image.h"
#include "engine/render/ImageScaling.h"

int main(int argc, char** argv) {
    using namespace lirava;
    if (argc != 4) {
        std::fprintf(stderr, "usage: lirava-icon SOURCE OUTPUT.png SIZE\n");
        return 2;
    }
    char* end = nullptr;
    const long size = std::strtol(argv[3], &end, 10);
    if (!end || *end != '\0' || size < 16 || size > 1024) {
        std::fprintf(stderr, "lirava-icon: SIZE must be a whole number from 16 to 1024\n");
        return 2;
    }
    Image figure;
    if (!figure.initWithFile(argv[1])) {
        std::fprintf(stderr, "lirava-icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const Image icon = fittedImage(figure, static_cast<int>(size), static_cast<int>(size));
    if (!icon.saveToPNG(argv[2])) {
        std::fprintf(stderr, "lirava-icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
