#include <gtest/gtest.h>

#include <cstdio>

#include "engine/audio/VirtualAudioBackend.h"
#include "tests/engine/audio/SilentMp3.h"

namespace lirava {
namespace {

class VirtualAudioBackendTest : public ::testing::Test {
protected:
    VirtualAudioBackendTest() : backend([this] { return clock; }) {
        test::writeSilentMp3(folder.file("two.mp3"), 100);
        test::writeSilentMp3(folder.file("short.mp3"), 10);
        if (FILE* junk = std::fopen(folder.file("junk.mp3").c_str(), "wb")) {
            std::fputs("these bytes are not audio", junk);
            std::fclose(junk);
        }
    }

    test::ScratchFolder folder;
    double clock = 100.0;
    VirtualAudioBackend backend;
};

TEST_F(VirtualAudioBackendTest, ATrackPlaysForItsDecodedDurationOnTheClock) {
    const double length = test::silentMp3Seconds(100);
    EXPECT_NEAR(backend.trackDuration(folder.file("two.mp3")), length, 0.001);

    ASSERT_TRUE(backend.play(folder.file("two.mp3"), false));
    // Frames of 1/60 s: playing through the last frame before the end, over at the end.
    for (double t = 0.0; t < length - 1.0 / 60.0; t += 1.0 / 60.0) {
        clock = 100.0 + t;
        ASSERT_TRUE(backend.isPlaying()) << t;
    }
    clock = 100.0 + length;
    EXPECT_FALSE(backend.isPlaying());
    clock = 50.0;  // once over, it stays over
    EXPECT_FALSE(backend.isPlaying());
}

TEST_F(VirtualAudioBackendTest, TheSpeedStretchesTheTracksStartedAfterIt) {
    const double length = test::silentMp3Seconds(100);
    for (const float speed : {0.5f, 1.5f}) {
        backend.setSpeed(speed);
        ASSERT_TRUE(backend.play(folder.file("two.mp3"), false));
        backend.setSpeed(1.0f);  // the track playing keeps its speed
        const double start = clock;
        clock = start + length / speed - 0.01;
        EXPECT_TRUE(backend.isPlaying()) << speed;
        clock = start + length / speed;
        EXPECT_FALSE(backend.isPlaying()) << speed;
    }
}

TEST_F(VirtualAudioBackendTest, ANewTrackReplacesTheOneOnItsOwnClock) {
    ASSERT_TRUE(backend.play(folder.file("two.mp3"), false));
    clock += 2.0;
    ASSERT_TRUE(backend.play(folder.file("short.mp3"), false));
    clock += test::silentMp3Seconds(10) - 0.01;
    EXPECT_TRUE(backend.isPlaying());
    clock += 0.02;
    EXPECT_FALSE(backend.isPlaying());  // the first track's time does not carry on
}

TEST_F(VirtualAudioBackendTest, StopEndsAtOnceAndLoopsPlayUntilStopped) {
    ASSERT_TRUE(backend.play(folder.file("short.mp3"), false));
    backend.stop();
    EXPECT_FALSE(backend.isPlaying());

    ASSERT_TRUE(backend.play(folder.file("short.mp3"), true));
    clock += 60.0;
    EXPECT_TRUE(backend.isPlaying());
    backend.stop();
    EXPECT_FALSE(backend.isPlaying());
}

TEST_F(VirtualAudioBackendTest, MissingAndUndecodableFilesPlayNothing) {
    ASSERT_TRUE(backend.play(folder.file("two.mp3"), false));
    EXPECT_FALSE(backend.play(folder.file("nowhere.mp3"), false));
    EXPECT_FALSE(backend.isPlaying());  // the failed call still replaced the track
    EXPECT_FALSE(backend.play(folder.file("junk.mp3"), false));
    EXPECT_FALSE(backend.play(folder.file(""), false));
    EXPECT_FALSE(backend.isPlaying());
    EXPECT_LT(backend.trackDuration(folder.file("junk.mp3")), 0.0);

    // A file missing once (its book went away) plays when it is back.
    test::writeSilentMp3(folder.file("nowhere.mp3"), 10);
    EXPECT_TRUE(backend.play(folder.file("nowhere.mp3"), false));
}

}  // namespace
}  // namespace lirava
