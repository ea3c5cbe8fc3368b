#include "tools/align/AudioDecoder.h"

#include <samplerate.h>
#include <sndfile.h>

#include <cstdio>
#include <memory>

namespace lirava::align {

namespace {

struct SndFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

std::string clock(double seconds) {
    const long whole = static_cast<long>(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

}  // namespace

bool AudioDecoder::decode(const std::string& path, int rate, MonoAudio& out, std::string& error) const {
    out = MonoAudio();
    // libsndfile reads WAV, FLAC, OGG Vorbis and Opus, and since 1.1 MP3 through libmpg123.
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndFileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        error = path + ": not a recording that can be read (" + sf_strerror(nullptr) + ")";
        return false;
    }
    if (info.channels < 1 || info.samplerate < 1) {
        error = path + ": not a recording that can be read";
        return false;
    }
    const double seconds = static_cast<double>(info.frames) / info.samplerate;
    if (seconds > maxSeconds_) {
        error = path + ": the recording is " + clock(seconds) + " long; recordings of up to " + clock(maxSeconds_) +
                " can be aligned, so split it into pages or sentences first";
        return false;
    }

    std::vector<float> mono;
    if (info.frames > 0) {
        mono.reserve(static_cast<size_t>(info.frames));
    }
    const sf_count_t chunkFrames = 4096;
    std::vector<float> chunk(static_cast<size_t>(chunkFrames * info.channels));
    for (;;) {
        const sf_count_t got = sf_readf_float(file.get(), chunk.data(), chunkFrames);
        if (got <= 0) {
            break;
        }
        for (sf_count_t frame = 0; frame < got; ++frame) {
            float sum = 0.0f;
            for (int channel = 0; channel < info.channels; ++channel) {
                sum += chunk[static_cast<size_t>(frame * info.channels + channel)];
            }
            mono.push_back(sum / static_cast<float>(info.channels));
        }
        // The header's length may be an estimate (MP3); the limit holds for what was read too.
        if (static_cast<double>(mono.size()) / info.samplerate > maxSeconds_ + 1.0) {
            error = path + ": the recording is longer than " + clock(maxSeconds_) +
                    ", the longest that can be aligned; split it into pages or sentences first";
            return false;
        }
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
        error = path + ": " + sf_strerror(file.get());
        return false;
    }
    if (mono.empty()) {
        error = path + ": the recording has no sound in it (no samples)";
        return false;
    }

    out.rate = rate;
    if (info.samplerate == rate) {
        out.samples = std::move(mono);
        return true;
    }
    const double ratio = static_cast<double>(rate) / info.samplerate;
    out.samples.resize(static_cast<size_t>(static_cast<double>(mono.size()) * ratio) + 16);
    SRC_DATA data{};
    data.data_in = mono.data();
    data.input_frames = static_cast<long>(mono.size());
    data.data_out = out.samples.data();
    data.output_frames = static_cast<long>(out.samples.size());
    data.src_ratio = ratio;
    // Speech recognition looks at frequencies up to 8 kHz; the fastest band-limited converter
    // keeps those and costs a fraction of the better ones.
    const int failed = src_simple(&data, SRC_SINC_FASTEST, 1);
    if (failed != 0) {
        error = path + ": resampling failed: " + src_strerror(failed);
        out = MonoAudio();
        return false;
    }
    out.samples.resize(static_cast<size_t>(data.output_frames_gen));
    return true;
}

}  // namespace lirava::align
