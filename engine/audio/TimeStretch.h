#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace soundtouch {
class SoundTouch;
}

namespace lirava {

// Plays interleaved 16-bit audio slower or faster at the same pitch: the voice keeps its
// pitch and only its tempo changes. Input goes in with put(), stretched output comes out with
// receive(), block by block, so a long track never has to be stretched in one go.
class TimeStretch {
public:
    // speed 0.5 makes the audio last twice as long.
    TimeStretch(int sampleRate, int channels, double speed);
    ~TimeStretch();
    TimeStretch(const TimeStretch&) = delete;
    TimeStretch& operator=(const TimeStretch&) = delete;

    int channels() const { return m_channels; }

    // frames of interleaved samples (frames x channels values).
    void put(const std::int16_t* samples, int frames);
    // No more input: what is still inside comes out with the next receives.
    void finish();
    // Up to frames stretched frames into out; returns how many were written.
    int receive(std::int16_t* out, int frames);

private:
    std::unique_ptr<soundtouch::SoundTouch> m_touch;
    int m_channels;
    std::vector<float> m_buffer;
};

}  // namespace lirava
