#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lirava {

enum class EncodedFormat { Png, Jpeg };

// Encodes RGBA rows (top to bottom, width * 4 bytes each) as a whole PNG or JPEG file in memory,
// so that the file can then be written in one piece (see writeFileAtomically). quality (0 to
// 100) is for JPEG, which drops alpha. False with a reason.
bool encodeRgba(const std::uint8_t* rgba, int width, int height, EncodedFormat format, int quality,
                std::vector<std::uint8_t>& out, std::string& error);

}  // namespace lirava
