#include "engine/audio/StretchedTrack.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>
#include <system_error>

#include "engine/audio/Mp3Frames.h"
#include "engine/platform/CCFileUtils.h"

namespace lirava {

namespace {

// Audio decoded at once before the track starts (what the worker has to beat).
constexpr double kHeadSeconds = 0.5;
// Longer tracks, or larger files (whose length is not known before decoding unless they are
// MP3), would take too much memory decoded; they play at their own speed.
constexpr double kLongestSeconds = 600.0;
constexpr Sint64 kLargestFile = 32 << 20;
// Frames moved into the stretch at a time.
constexpr std::size_t kBlockFrames = 1024;

// Decodes bytes into interleaved samples of the mixer's format.
bool decode(const std::uint8_t* bytes, std::size_t size, std::vector<std::int16_t>& out) {
    SDL_RWops* source = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    Mix_Chunk* chunk = source ? Mix_LoadWAV_RW(source, 1) : nullptr;
    if (!chunk) {
        return false;
    }
    const auto* samples = reinterpret_cast<const std::int16_t*>(chunk->abuf);
    out.assign(samples, samples + chunk->alen / sizeof(std::int16_t));
    Mix_FreeChunk(chunk);
    return !out.empty();
}

bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    SDL_RWops* file = CCFileUtils::sharedFileUtils()->openStream(path);
    if (!file) {
        return false;
    }
    const Sint64 size = SDL_RWsize(file);
    const bool ok = size > 0 && size <= kLargestFile;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size));
    }
    const bool read = ok && SDL_RWread(file, bytes.data(), 1, bytes.size()) == bytes.size();
    SDL_RWclose(file);
    return read;
}

}  // namespace

StretchedTrack::StretchedTrack(int sampleRate, int channels, double speed, bool loop)
    : m_sampleRate(sampleRate),
      m_channels(channels),
      m_speed(speed),
      m_loop(loop),
      m_stretch(sampleRate, channels, speed) {}

StretchedTrack::~StretchedTrack() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

std::unique_ptr<StretchedTrack> StretchedTrack::open(const std::string& path, double speed, bool loop) {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    // Decoded chunks come in the mixer's format; only 16-bit samples are stretched here.
    if (Mix_QuerySpec(&rate, &format, &channels) == 0 || format != AUDIO_S16SYS || channels < 1) {
        return nullptr;
    }
    std::unique_ptr<StretchedTrack> track(new StretchedTrack(rate, channels, speed, loop));
    if (!readFile(path, track->m_file)) {
        return nullptr;
    }
    const Mp3Frames layout = scanMp3Frames(track->m_file.data(), track->m_file.size(), kHeadSeconds);
    if (layout.seconds > kLongestSeconds) {
        return nullptr;
    }
    if (layout.headBytes == 0) {
        // Short, or not an MP3: decoded whole, which is quick for a short track.
        if (!decode(track->m_file.data(), track->m_file.size(), track->m_whole)) {
            return nullptr;
        }
        track->m_wholeReady.store(true, std::memory_order_release);
        return track;
    }
    if (!decode(track->m_file.data(), layout.headBytes, track->m_head)) {
        return nullptr;
    }
    // The last tenth of the head is left to the whole decode.
    track->m_headUsable = track->m_head.size() / static_cast<std::size_t>(channels) * 9 / 10;
    StretchedTrack* self = track.get();
    const auto decodeWhole = [self] {
        // A failed whole decode leaves only the head to play.
        if (!decode(self->m_file.data(), self->m_file.size(), self->m_whole)) {
            self->m_whole = self->m_head;
        }
        self->m_wholeReady.store(true, std::memory_order_release);
    };
    try {
        self->m_worker = std::thread(decodeWhole);
    } catch (const std::system_error&) {
        decodeWhole();  // no thread to be had: the start waits for the decode instead
    }
    return track;
}

bool StretchedTrack::feed() {
    const bool whole = m_wholeReady.load(std::memory_order_acquire);
    const std::vector<std::int16_t>& source = whole ? m_whole : m_head;
    const std::size_t channels = static_cast<std::size_t>(m_channels);
    const std::size_t end = whole ? source.size() / channels : m_headUsable;
    if (m_position < end) {
        const std::size_t frames = std::min(kBlockFrames, end - m_position);
        m_stretch.put(source.data() + m_position * channels, static_cast<int>(frames));
        m_position += frames;
        return true;
    }
    if (!whole) {
        return false;
    }
    if (m_loop && end > 0) {
        m_position = 0;
        return true;
    }
    m_stretch.finish();
    m_inputDone = true;
    return false;
}

void StretchedTrack::fill(std::uint8_t* stream, int len) {
    auto* out = reinterpret_cast<std::int16_t*>(stream);
    const int frames = len / static_cast<int>(sizeof(std::int16_t)) / m_channels;
    int written = 0;
    while (written < frames && !finished()) {
        written += m_stretch.receive(out + static_cast<std::size_t>(written) * m_channels, frames - written);
        if (written == frames) {
            break;
        }
        if (m_inputDone) {
            // The rest came out after the end of the input: nothing is left.
            m_finished.store(true, std::memory_order_release);
        } else if (!feed() && !m_inputDone) {
            break;  // the worker is late: this buffer ends in silence, the track goes on
        }
    }
    m_playedFrames.fetch_add(static_cast<std::uint64_t>(written), std::memory_order_relaxed);
    const int volume = m_volume.load(std::memory_order_relaxed);
    const std::size_t samples = static_cast<std::size_t>(written) * m_channels;
    if (volume < MIX_MAX_VOLUME) {
        for (std::size_t i = 0; i < samples; ++i) {
            out[i] = static_cast<std::int16_t>(out[i] * volume / MIX_MAX_VOLUME);
        }
    }
    std::memset(out + samples, 0, static_cast<std::size_t>(len) - samples * sizeof(std::int16_t));
}

double StretchedTrack::position() const {
    const double played = static_cast<double>(m_playedFrames.load(std::memory_order_relaxed));
    return m_sampleRate > 0 ? played * m_speed / m_sampleRate : 0.0;
}

}  // namespace lirava
