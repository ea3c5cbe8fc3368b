#include "engine/audio/TimeStretch.h"

#include <SoundTouch.h>

#include <algorithm>
#include <cmath>

namespace lirava {

TimeStretch::TimeStretch(int sampleRate, int channels, double speed)
    : m_touch(std::make_unique<soundtouch::SoundTouch>()), m_channels(std::max(1, channels)) {
    m_touch->setSampleRate(static_cast<unsigned int>(std::max(1, sampleRate)));
    m_touch->setChannels(static_cast<unsigned int>(m_channels));
    // The library's full search for the best splice: its quick search halves a cost that is
    // a fraction of a percent of a core either way (bench/engine/NarrationSpeedBench.cpp).
    m_touch->setTempo(speed);
}

TimeStretch::~TimeStretch() = default;

void TimeStretch::put(const std::int16_t* samples, int frames) {
    if (frames <= 0) {
        return;
    }
    m_buffer.resize(static_cast<std::size_t>(frames) * m_channels);
    for (std::size_t i = 0; i < m_buffer.size(); ++i) {
        m_buffer[i] = samples[i] * (1.0f / 32768.0f);
    }
    m_touch->putSamples(m_buffer.data(), static_cast<unsigned int>(frames));
}

void TimeStretch::finish() {
    m_touch->flush();
}

int TimeStretch::receive(std::int16_t* out, int frames) {
    if (frames <= 0) {
        return 0;
    }
    m_buffer.resize(static_cast<std::size_t>(frames) * m_channels);
    const int got = static_cast<int>(m_touch->receiveSamples(m_buffer.data(), static_cast<unsigned int>(frames)));
    for (std::size_t i = 0; i < static_cast<std::size_t>(got) * m_channels; ++i) {
        const float scaled = std::round(m_buffer[i] * 32768.0f);
        out[i] = static_cast<std::int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
    }
    return got;
}

}  // namespace lirava
