#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "engine/audio/DeviceAudioBackend.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/audio/VirtualAudioBackend.h"
#include "tests/engine/audio/SilentMp3.h"

namespace lirava {
namespace {

class SimpleAudioEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeSilentMp3(first, 40);
        test::writeSilentMp3(second, 20);
        audio->useBackend(std::make_unique<VirtualAudioBackend>([this] { return clock; }), AudioBackendKind::Virtual);
    }
    void TearDown() override {
        audio->useBackend(nullptr, AudioBackendKind::Device);
        audio->setBackgroundMusicVolume(1.0f);
    }

    SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
    test::ScratchFolder folder;
    std::string first = folder.file("first.mp3");
    std::string second = folder.file("second.mp3");
    double clock = 0.0;
};

TEST_F(SimpleAudioEngineTest, PlaysOnceAndReportsThePathWhilePlaying) {
    EXPECT_FALSE(audio->isBackgroundMusicPlaying());
    EXPECT_EQ(audio->playingMusicPath(), "");
    audio->playBackgroundMusic(first.c_str());
    EXPECT_TRUE(audio->isBackgroundMusicPlaying());
    EXPECT_EQ(audio->playingMusicPath(), first);
    clock += test::silentMp3Seconds(40);
    EXPECT_FALSE(audio->isBackgroundMusicPlaying());
    EXPECT_EQ(audio->playingMusicPath(), "");
}

TEST_F(SimpleAudioEngineTest, ANewCallReplacesTheTrackAndStopEndsItAtOnce) {
    audio->playBackgroundMusic(first.c_str());
    clock += 0.5;
    audio->playBackgroundMusic(second.c_str());
    EXPECT_EQ(audio->playingMusicPath(), second);
    clock += test::silentMp3Seconds(20) + 0.01;
    EXPECT_FALSE(audio->isBackgroundMusicPlaying());  // the first track is not resumed

    audio->playBackgroundMusic(first.c_str());
    audio->stopBackgroundMusic();
    EXPECT_FALSE(audio->isBackgroundMusicPlaying());
    EXPECT_EQ(audio->playingMusicPath(), "");
}

TEST_F(SimpleAudioEngineTest, AMissingFileStopsTheTrackAndPlaysNothing) {
    audio->playBackgroundMusic(first.c_str());
    audio->playBackgroundMusic("epc/no-such-digest.mp3");
    EXPECT_FALSE(audio->isBackgroundMusicPlaying());
    EXPECT_EQ(audio->playingMusicPath(), "");
    audio->playBackgroundMusic(nullptr);
    audio->playBackgroundMusic("");
    EXPECT_FALSE(audio->isBackgroundMusicPlaying());
}

TEST_F(SimpleAudioEngineTest, VolumeIsKeptWithinRange) {
    audio->setBackgroundMusicVolume(1.0f);
    EXPECT_FLOAT_EQ(audio->getBackgroundMusicVolume(), 1.0f);
    audio->setBackgroundMusicVolume(3.0f);
    EXPECT_FLOAT_EQ(audio->getBackgroundMusicVolume(), 1.0f);
    audio->setBackgroundMusicVolume(-1.0f);
    EXPECT_FLOAT_EQ(audio->getBackgroundMusicVolume(), 0.0f);
}

TEST_F(SimpleAudioEngineTest, SelectingABackendKeepsTheKindAndStopsTheTrack) {
    audio->playBackgroundMusic(first.c_str());
    audio->selectBackend(AudioBackendKind::Device);
    EXPECT_EQ(audio->backendKind(), AudioBackendKind::Device);
    EXPECT_FALSE(audio->isBackgroundMusicPlaying());
    audio->selectBackend(AudioBackendKind::Virtual);
    EXPECT_EQ(audio->backendKind(), AudioBackendKind::Virtual);
}

// The device back end on whatever SDL offers here (the tests run with the dummy driver): a
// track ends by itself in real time, a stop ends it at once.
TEST(DeviceAudioBackend, PlaysTracksToTheirEndAndStops) {
    test::ScratchFolder folder;
    const std::string track = folder.file("track.mp3");
    test::writeSilentMp3(track, 4);
    DeviceAudioBackend device;
    EXPECT_FALSE(device.play(folder.file("missing.mp3"), false));
    EXPECT_FALSE(device.isPlaying());
    ASSERT_TRUE(device.play(track, false));
    EXPECT_TRUE(device.isOpen());
    EXPECT_TRUE(device.isPlaying());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (device.isPlaying() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(device.isPlaying());

    ASSERT_TRUE(device.play(track, true));
    device.stop();
    EXPECT_FALSE(device.isPlaying());
}

// SDL reports a removed device the same way for every driver; the track playing goes on in real
// time, and the next one opens the device afresh.
TEST(DeviceAudioBackend, ARemovedDeviceIsOpenedAgainForTheNextTrack) {
    test::ScratchFolder folder;
    const std::string track = folder.file("track.mp3");
    test::writeSilentMp3(track, 40);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
    {
        DeviceAudioBackend device;
        ASSERT_TRUE(device.play(track, false));
        SDL_Event removed{};
        removed.type = SDL_AUDIODEVICEREMOVED;
        removed.adevice.which = 2;
        SDL_PushEvent(&removed);
        EXPECT_TRUE(device.isPlaying());
        EXPECT_EQ(device.reopenCount(), 0);
        ASSERT_TRUE(device.play(track, false));
        EXPECT_EQ(device.reopenCount(), 1);
        EXPECT_TRUE(device.isPlaying());
        ASSERT_TRUE(device.play(track, false));
        EXPECT_EQ(device.reopenCount(), 1);  // back for good: no further reopening
    }
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

}  // namespace
}  // namespace lirava
