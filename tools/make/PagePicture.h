#pragma once

#include <string>

#include "tools/make/TextLayout.h"

typedef struct SDL_Surface SDL_Surface;

namespace lirava::make {

// Draws a page's image: the picture scaled to fit the stage without distortion, and the
// sentences set on their panel. Writes it as JPEG.
class PagePicture {
public:
    // Loads a JPEG or PNG turned upright by its EXIF orientation; nullptr with `error` set when
    // the file is missing or cannot be decoded. The caller frees the surface.
    static SDL_Surface* loadUpright(const std::string& path, std::string& error);

    // The picture's box on the page: as large as fits in `stage`, centred, same proportions.
    static Box fitted(int width, int height, const Box& stage);

    static bool write(SDL_Surface* picture, TTF_Font* font, const TextLayout& layout, const std::string& out,
                      std::string& error);
};

}  // namespace lirava::make
