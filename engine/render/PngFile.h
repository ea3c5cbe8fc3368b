#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lirava {

// Writes RGBA rows (top to bottom) as a PNG file, under a temporary name renamed into place.
// False with a reason on failure; the file that was there is kept.
bool writePngFile(const std::string& path, const std::vector<std::uint8_t>& rgba, int width, int height,
                  std::string& error);
// Reads a PNG (or any image SDL_image knows) as RGBA rows; false if it cannot be read.
bool readImageFile(const std::string& path, std::vector<std::uint8_t>& rgba, int& width, int& height);

}  // namespace lirava
