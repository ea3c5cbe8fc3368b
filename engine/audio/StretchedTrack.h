#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/audio/TimeStretch.h"

namespace lirava {

// One track played slower or faster at the same pitch through the open mixer, stretched block
// by block as the sound device asks for audio. Starting it must not wait for the whole file:
// the first half second of an MP3 is decoded at once and the whole file on a worker thread,
// which has done long before the first half second has played. Both decodes give the same
// samples for the same frames, so the switch from one to the other cannot be heard.
class StretchedTrack {
public:
    // Null when the mixer is not open, the file cannot be decoded, or it is too long to hold
    // decoded (the caller then plays it as it is).
    static std::unique_ptr<StretchedTrack> open(const std::string& path, double speed, bool loop);
    // Waits for the worker.
    ~StretchedTrack();
    StretchedTrack(const StretchedTrack&) = delete;
    StretchedTrack& operator=(const StretchedTrack&) = delete;

    // The next len bytes of audio in the mixer's format, silence after the end. Called on the
    // audio thread (or by a benchmark, in place of it).
    void fill(std::uint8_t* stream, int len);
    // True once the last stretched sample went out through fill.
    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    // Whether the worker has decoded the whole file (a benchmark waits for it).
    bool wholeDecoded() const { return m_wholeReady.load(std::memory_order_acquire); }
    // Seconds of the source played so far: the stretched frames handed out, times the speed.
    double position() const;
    // 0..128, as the mixer's volumes.
    void setVolume(int volume) { m_volume.store(volume, std::memory_order_relaxed); }

private:
    StretchedTrack(int sampleRate, int channels, double speed, bool loop);

    // Moves the next block of decoded audio into the stretch; false when none is there yet
    // or any more.
    bool feed();

    int m_sampleRate;
    int m_channels;
    double m_speed;
    bool m_loop;
    TimeStretch m_stretch;
    std::vector<std::uint8_t> m_file;
    // Interleaved samples. While the worker runs, only the first m_headUsable frames of the head
    // are played; the end of a partial decode is where decoders may still differ.
    std::vector<std::int16_t> m_head;
    std::size_t m_headUsable = 0;
    std::vector<std::int16_t> m_whole;
    std::atomic<bool> m_wholeReady{false};
    std::thread m_worker;

    // Audio thread only.
    std::size_t m_position = 0;  // frames of the source fed to the stretch
    bool m_inputDone = false;

    std::atomic<bool> m_finished{false};
    std::atomic<std::uint64_t> m_playedFrames{0};
    std::atomic<int> m_volume{128};
};

}  // namespace lirava
