#pragma once

#include <cstddef>
#include <cstdint>

namespace lirava {

// What the frame headers of an MPEG audio layer III file say, read without decoding it.
struct Mp3Frames {
    // Seconds of audio (the information frame that leads some files plays nothing); 0 when the
    // bytes do not start with such frames, after an optional ID3v2 tag.
    double seconds = 0.0;
    // Bytes up to the end of the first frame that ends at or past the head's seconds; 0 when
    // the file ends first.
    std::size_t headBytes = 0;
};

// Walks the frames up to the first byte that does not start one.
Mp3Frames scanMp3Frames(const std::uint8_t* bytes, std::size_t size, double headSeconds);

}  // namespace lirava
