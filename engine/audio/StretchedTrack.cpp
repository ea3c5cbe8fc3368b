#include "engine/audio/StretchedTrack.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>

namespace lirava {

namespace {

// Audio decoded at once before the track starts (what the worker has to beat).
constexpr double kHeadSeconds = 0.5;
// Longer tracks would take too much memory decoded; they play at their own speed.
constexpr double kLongestSeconds = 600.0;
// The same for files that are not MP3, whose length is not known before decoding.
constexpr std::size_t kLargestOtherFile = 32u << 20;
// Frames moved into the stretch at a time.
constexpr std::size_t kBlockFrames = 1024;

struct Mp3Layout {
    std::size_t headBytes = 0;  // bytes up to the end of the frame that completes the head; 0 if none
    double seconds = 0.0;       // the whole file
};

// Walks the MPEG audio layer III frames that follow an optional ID3v2 tag. Not an MP3: no
// frames, zero seconds.
Mp3Layout scanMp3(const std::vector<std::uint8_t>& b) {
    static const int kRates1[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const int kRates2[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static const int kSampleRates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
    Mp3Layout layout;
    std::size_t at = 0;
    if (b.size() > 10 && b[0] == 'I' && b[1] == 'D' && b[2] == '3') {
        at = 10 +
             (static_cast<std::size_t>(b[6] & 0x7f) << 21 | (b[7] & 0x7f) << 14 | (b[8] & 0x7f) << 7 | (b[9] & 0x7f));
    }
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
        at += static_cast<std::size_t>((mpeg1 ? 144 : 72) * bitrate / sampleRate + ((b[at + 2] >> 1) & 1));
        layout.seconds += (mpeg1 ? 1152.0 : 576.0) / sampleRate;
        if (layout.headBytes == 0 && layout.seconds >= kHeadSeconds && at < b.size()) {
            layout.headBytes = at;
        }
    }
    return layout;
}

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
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    const Sint64 size = SDL_RWsize(file);
    const bool ok = size > 0 && static_cast<std::uint64_t>(size) <= (std::uint64_t{1} << 31);
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size));
    }
    const bool read = ok && SDL_RWread(file, bytes.data(), 1, bytes.size()) == bytes.size();
    SDL_RWclose(file);
    return read;
}

}  // namespace

StretchedTrack::StretchedTrack(int sampleRate, int channels, double speed, bool loop)
    : m_channels(channels), m_loop(loop), m_stretch(sampleRate, channels, speed) {}

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
    const Mp3Layout layout = scanMp3(track->m_file);
    if (layout.seconds > kLongestSeconds || (layout.seconds == 0.0 && track->m_file.size() > kLargestOtherFile)) {
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
    self->m_worker = std::thread([self] {
        // A failed whole decode leaves only the head to play.
        if (!decode(self->m_file.data(), self->m_file.size(), self->m_whole)) {
            self->m_whole = self->m_head;
        }
        self->m_wholeReady.store(true, std::memory_order_release);
    });
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
    const int volume = m_volume.load(std::memory_order_relaxed);
    const std::size_t samples = static_cast<std::size_t>(written) * m_channels;
    if (volume < MIX_MAX_VOLUME) {
        for (std::size_t i = 0; i < samples; ++i) {
            out[i] = static_cast<std::int16_t>(out[i] * volume / MIX_MAX_VOLUME);
        }
    }
    std::memset(out + samples, 0, static_cast<std::size_t>(len) - samples * sizeof(std::int16_t));
}

}  // namespace lirava
