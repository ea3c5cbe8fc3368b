#include "engine/render/PngFile.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

namespace lirava {

bool writePngFile(const std::string& path, const std::vector<std::uint8_t>& rgba, int width, int height,
                  std::string& error) {
    if (width <= 0 || height <= 0 || rgba.size() < static_cast<std::size_t>(width) * height * 4) {
        error = "no pixels";
        return false;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(rgba.data()), width, height, 32,
                                                              width * 4, SDL_PIXELFORMAT_RGBA32);
    if (!surface) {
        error = SDL_GetError();
        return false;
    }
    const int result = IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    if (result != 0) {
        error = IMG_GetError();
        return false;
    }
    return true;
}

bool readImageFile(const std::string& path, std::vector<std::uint8_t>& rgba, int& width, int& height) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) {
        return false;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    if (!converted) {
        return false;
    }
    width = converted->w;
    height = converted->h;
    rgba.resize(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        std::memcpy(
            rgba.data() + static_cast<std::size_t>(y) * width * 4,
            static_cast<const std::uint8_t*>(converted->pixels) + static_cast<std::size_t>(y) * converted->pitch,
            static_cast<std::size_t>(width) * 4);
    }
    SDL_FreeSurface(converted);
    return true;
}

}  // namespace lirava
