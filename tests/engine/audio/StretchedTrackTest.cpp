#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <thread>
#include <vector>

#include "engine/audio/DeviceAudioBackend.h"
#include "engine/audio/StretchedTrack.h"
#include "tests/engine/audio/SilentMp3.h"

namespace lirava {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A mono 16-bit WAV file of a sine tone at 44.1 kHz.
void writeToneWav(const std::string& path, double frequency, double seconds) {
    const std::uint32_t rate = 44100;
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::vector<char> bytes;
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes.push_back(static_cast<char>(value >> (8 * i)));
        }
    };
    const auto tag = [&bytes](const char* name) { bytes.insert(bytes.end(), name, name + 4); };
    tag("RIFF"), put(36 + frames * 2, 4), tag("WAVE"), tag("fmt "), put(16, 4), put(1, 2), put(1, 2);
    put(rate, 4), put(rate * 2, 4), put(2, 2), put(16, 2), tag("data"), put(frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        put(static_cast<std::uint16_t>(std::lround(12000.0 * std::sin(2 * kPi * frequency * i / rate))), 2);
    }
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Seconds of real time until the back end says the track ended (at most limit).
double secondsPlaying(DeviceAudioBackend& device, double limit) {
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + std::chrono::duration<double>(limit);
    while (device.isPlaying() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The tests run on SDL's dummy audio driver, which takes audio in real time.
TEST(StretchedTrack, ASlowedTrackPlaysTwiceAsLongOnTheDevice) {
    test::ScratchFolder folder;
    const std::string track = folder.file("two-seconds.mp3");
    test::writeSilentMp3(track, 77);  // 2.01 s
    DeviceAudioBackend device;
    device.setSpeed(0.5f);
    ASSERT_TRUE(device.play(track, false));
    // The device's buffer and a loaded machine make it end a little late, never early.
    const double seconds = secondsPlaying(device, 10.0);
    EXPECT_GT(seconds, 2 * test::silentMp3Seconds(77) - 0.1);
    EXPECT_LT(seconds, 2 * test::silentMp3Seconds(77) + 0.5);
}

TEST(StretchedTrack, KeepsThePitchOfAToneAtEverySpeed) {
    test::ScratchFolder folder;
    const std::string tone = folder.file("tone.wav");
    writeToneWav(tone, 440.0, 2.0);
    DeviceAudioBackend device;  // opens the mixer, whose format the track is stretched in
    ASSERT_TRUE(device.play(tone, false));
    device.stop();

    for (const double speed : {0.5, 1.5}) {
        std::unique_ptr<StretchedTrack> track = StretchedTrack::open(tone, speed, false);
        ASSERT_NE(track, nullptr);
        std::vector<std::int16_t> out;
        std::vector<std::int16_t> block(4096);
        while (!track->finished() && out.size() < 44100u * 2 * 10) {
            track->fill(reinterpret_cast<std::uint8_t*>(block.data()), static_cast<int>(block.size() * 2));
            out.insert(out.end(), block.begin(), block.end());
        }
        // Stereo at 44.1 kHz (the mixer's format); the silence of the last buffer aside.
        while (!out.empty() && out.back() == 0) {
            out.pop_back();
        }
        const double seconds = static_cast<double>(out.size()) / 2 / 44100.0;
        EXPECT_NEAR(seconds, 2.0 / speed, 0.05) << speed;

        // Rising zero crossings of the left channel over the middle half, away from the ends.
        const std::size_t from = out.size() / 2 / 4;
        const std::size_t to = out.size() / 2 * 3 / 4;
        int crossings = 0;
        for (std::size_t i = from + 1; i < to; ++i) {
            crossings += out[2 * (i - 1)] < 0 && out[2 * i] >= 0;
        }
        const double frequency = crossings / ((to - from) / 44100.0);
        EXPECT_NEAR(frequency, 440.0, 3.0) << speed;
    }
}

}  // namespace
}  // namespace lirava
