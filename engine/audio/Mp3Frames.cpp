#include "engine/audio/Mp3Frames.h"

#include <algorithm>
#include <cstring>

namespace lirava {

namespace {

bool contains(const std::uint8_t* from, const std::uint8_t* to, const char* tag) {
    return std::search(from, to, tag, tag + std::strlen(tag)) != to;
}

}  // namespace

Mp3Frames scanMp3Frames(const std::uint8_t* b, std::size_t size, double headSeconds) {
    static const int kRates1[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const int kRates2[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static const int kSampleRates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
    Mp3Frames frames;
    std::size_t at = 0;
    if (size > 10 && b[0] == 'I' && b[1] == 'D' && b[2] == '3') {
        at = 10 +
             (static_cast<std::size_t>(b[6] & 0x7f) << 21 | (b[7] & 0x7f) << 14 | (b[8] & 0x7f) << 7 | (b[9] & 0x7f));
    }
    bool first = true;
    while (at + 4 <= size && b[at] == 0xFF && (b[at + 1] & 0xE0) == 0xE0) {
        const int version = (b[at + 1] >> 3) & 3;  // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
        const int bitrateIndex = b[at + 2] >> 4;
        const int rateIndex = (b[at + 2] >> 2) & 3;
        if (version == 1 || ((b[at + 1] >> 1) & 3) != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) {
            break;
        }
        const bool mpeg1 = version == 3;
        const int sampleRate = kSampleRates[mpeg1 ? 0 : version == 2 ? 1 : 2][rateIndex];
        const int bitrate = (mpeg1 ? kRates1 : kRates2)[bitrateIndex] * 1000;
        // 144 x 320000 at most before the division: well inside an int.
        const int length = (mpeg1 ? 144 : 72) * bitrate / sampleRate + ((b[at + 2] >> 1) & 1);
        const std::uint8_t* end = b + std::min(size, at + static_cast<std::size_t>(length));
        const bool information = first && (contains(b + at, end, "Xing") || contains(b + at, end, "Info"));
        if (!information) {
            frames.seconds += (mpeg1 ? 1152.0 : 576.0) / sampleRate;
        }
        first = false;
        at += static_cast<std::size_t>(length);
        if (frames.headBytes == 0 && frames.seconds >= headSeconds && at < size) {
            frames.headBytes = at;
        }
    }
    return frames;
}

}  // namespace lirava
