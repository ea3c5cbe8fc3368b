#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/audio/Mp3Frames.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/audio/VirtualAudioBackend.h"
#include "engine/platform/CCFileUtils.h"

namespace lirava {
namespace {

// Length of an MP3 by counting its layer III frames, independently of any decoder. Decoders
// trim the encoder's delay and padding, so they report a little less.
double framesSeconds(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return scanMp3Frames(b.data(), b.size(), 0.0).seconds;
}

TEST(BookNarration, TracksPlayForTheirLengthOnTheFrameClock) {
    std::vector<std::string> names;
    const std::string folder = CCFileUtils::sharedFileUtils()->fullPathForFilename("epc");
    if (std::filesystem::is_directory(folder)) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            // The tracks, not the word timings beside them.
            if (entry.path().extension() == ".mp3") {
                names.push_back("epc/" + entry.path().filename().string());
            }
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
