#pragma once

#include <string>
#include <vector>

namespace lirava::align {

// Mono samples in [-1, 1] at one sample rate.
struct MonoAudio {
    std::vector<float> samples;
    int rate = 0;

    double seconds() const { return rate > 0 ? static_cast<double>(samples.size()) / rate : 0.0; }
};

// Reads a recording (WAV, MP3, OGG Vorbis or Opus, FLAC; any rate and channel count), mixes its
// channels down to mono and resamples it to `rate`. MP3 files lose the encoder's delay only when
// their header records it (a LAME tag); the sample book's files have none, so their words come
// about 50 ms later than the synthesiser spoke them, as they do in any player.
class AudioDecoder {
public:
    // Recordings longer than this are refused before any decoding (an hour of audio at 16 kHz
    // is 230 MB of samples, and nobody narrates a picture-book page for that long).
    static constexpr double kDefaultMaxSeconds = 30.0 * 60.0;

    explicit AudioDecoder(double maxSeconds = kDefaultMaxSeconds) : maxSeconds_(maxSeconds) {}

    // False, with a message that names the file, when the file is missing, unreadable, not audio,
    // empty or too long.
    bool decode(const std::string& path, int rate, MonoAudio& out, std::string& error) const;

private:
    double maxSeconds_;
};

}  // namespace lirava::align
