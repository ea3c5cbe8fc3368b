#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/audio/SimpleAudioEngine.h"
#include "engine/audio/VirtualAudioBackend.h"
#include "engine/platform/CCFileUtils.h"

namespace lirava {
namespace {

// Length of an MP3 by counting its layer III frames, independently of any decoder. Decoders
// trim the encoder's delay and padding, so they report a little less.
double framesSeconds(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t at = 0;
    if (b.size() > 10 && b[0] == 'I' && b[1] == 'D' && b[2] == '3') {
        at = 10 + ((b[6] & 0x7f) << 21 | (b[7] & 0x7f) << 14 | (b[8] & 0x7f) << 7 | (b[9] & 0x7f));
    }
    static const int kRates1[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const int kRates2[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static const int kSampleRates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
    double seconds = 0.0;
    bool first = true;
    while (at + 4 <= b.size() && b[at] == 0xFF && (b[at + 1] & 0xE0) == 0xE0) {
        const int version = (b[at + 1] >> 3) & 3;  // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
        const int bitrateIndex = b[at + 2] >> 4;
        const int rateIndex = (b[at + 2] >> 2) & 3;
        if (version == 1 || ((b[at + 1] >> 1) & 3) != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) {
            break;
        }
        const bool mpeg1 = version == 3;
        const int sampleRate = kSampleRates[mpeg1 ? 0 : version == 2 ? 1 : 2][rateIndex];
        const int bitrate = (mpeg1 ? kRates1 : kRates2)[bitrateIndex] * 1000;
        const std::size_t length = (mpeg1 ? 144 : 72) * bitrate / sampleRate + ((b[at + 2] >> 1) & 1);
        const std::string frame(b.begin() + static_cast<long>(at),
                                b.begin() + static_cast<long>(std::min(b.size(), at + length)));
        const bool infoFrame =
            first && (frame.find("Xing") != std::string::npos || frame.find("Info") != std::string::npos);
        if (!infoFrame) {
            seconds += (mpeg1 ? 1152.0 : 576.0) / sampleRate;
        }
        first = false;
        at += length;
    }
    return seconds;
}

TEST(BookNarration, TracksPlayForTheirLengthOnTheFrameClock) {
    std::vector<std::string> names;
    const std::string folder = CCFileUtils::sharedFileUtils()->fullPathForFilename("epc");
    if (std::filesystem::is_directory(folder)) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back("epc/" + entry.path().filename().string());
        }
    }
    if (names.empty()) {
        GTEST_SKIP() << "no narration in the resource folder";
    }
    std::sort(names.begin(), names.end());
    names.resize(std::min<std::size_t>(names.size(), 3));

    double clock = 0.0;
    SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
    audio->useBackend(std::make_unique<VirtualAudioBackend>([&clock] { return clock; }), AudioBackendKind::Virtual);
    for (const std::string& name : names) {
        const double expected = framesSeconds(CCFileUtils::sharedFileUtils()->fullPathForFilename(name.c_str()));
        ASSERT_GT(expected, 0.2) << name;
        audio->playBackgroundMusic(name.c_str());
        const double start = clock;
        int frames = 0;
        while (audio->isBackgroundMusicPlaying() && frames < 60 * 60) {
            EXPECT_EQ(audio->playingMusicPath(), name);
            clock += 1.0 / 60.0;
            ++frames;
        }
        EXPECT_NEAR(clock - start, expected, 0.1) << name;
    }
    audio->useBackend(nullptr, AudioBackendKind::Device);
}

}  // namespace
}  // namespace lirava
