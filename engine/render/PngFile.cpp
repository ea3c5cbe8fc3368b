#include "engine/render/PngFile.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

#include "engine/platform/AtomicFile.h"
#include "engine/render/ImageEncoder.h"

namespace lirava {

bool writePngFile(const std::string& path, const std::vector<std::uint8_t>& rgba, int width, int height,
                  std::string& error) {
    if (width <= 0 || height <= 0 || rgba.size() < static_cast<std::size_t>(width) * height * 4) {
        error = "no pixels";
        return false;
    }
    std::vector<std::uint8_t> encoded;
    return encodeRgba(rgba.data(), width, height, EncodedFormat::Png, 0, encoded, error) &&
           writeFileAtomically(path, encoded.data(), encoded.size(), error);
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
