#include "tools/make/TrackWriter.h"

#include <lame/lame.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "tools/align/LabelFile.h"

namespace lirava::make {
namespace {

constexpr int kOutputRate = 22050;
constexpr int kBitRate = 32;
// Speech loudness as RMS over the voiced part (-18 dBFS), and the highest peak allowed.
constexpr double kTargetRms = 0.126;
constexpr double kPeakLimit = 0.95;
constexpr int kChunk = 8192;

struct LameDeleter {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void TrackWriter::normalise(Track& track) {
    if (track.samples.empty()) {
        return;
    }
    // Blocks of 20 ms: only those with voice in them count, so pauses do not lower the level.
    const std::size_t block = std::max(1, track.rate / 50);
    std::vector<double> energies;
    float peak = 0;
    for (std::size_t at = 0; at < track.samples.size(); at += block) {
        const std::size_t end = std::min(track.samples.size(), at + block);
        double sum = 0;
        for (std::size_t i = at; i < end; ++i) {
            sum += static_cast<double>(track.samples[i]) * track.samples[i];
            peak = std::max(peak, std::fabs(track.samples[i]));
        }
        energies.push_back(sum / static_cast<double>(end - at));
    }
    if (peak <= 0) {
        return;
    }
    const double loudest = *std::max_element(energies.begin(), energies.end());
    double sum = 0;
    std::size_t voiced = 0;
    for (double e : energies) {
        if (e >= loudest * 0.01) {  // within 20 dB of the loudest block
            sum += e;
            ++voiced;
        }
    }
    const double rms = std::sqrt(sum / static_cast<double>(std::max<std::size_t>(1, voiced)));
    const double gain = std::min(kTargetRms / std::max(rms, 1e-9), kPeakLimit / peak);
    for (float& s : track.samples) {
        s = static_cast<float>(s * gain);
    }
}

bool TrackWriter::writeMp3(const Track& track, const std::string& path, std::string& error) {
    std::unique_ptr<lame_global_flags, LameDeleter> lame(lame_init());
    if (!lame) {
        error = "the MP3 encoder cannot start";
        return false;
    }
    lame_set_in_samplerate(lame.get(), track.rate);
    lame_set_out_samplerate(lame.get(), kOutputRate);
    lame_set_num_channels(lame.get(), 1);
    lame_set_mode(lame.get(), MONO);
    lame_set_VBR(lame.get(), vbr_off);
    lame_set_brate(lame.get(), kBitRate);
    lame_set_quality(lame.get(), 5);
    if (lame_init_params(lame.get()) < 0) {
        error = "the MP3 encoder refuses a rate of " + std::to_string(track.rate) + " Hz";
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        error = path + ": cannot write (" + std::strerror(errno) + ")";
        return false;
    }
    std::vector<unsigned char> buffer(static_cast<std::size_t>(1.25 * kChunk + 7200));
    bool ok = true;
    for (std::size_t at = 0; at < track.samples.size() && ok; at += kChunk) {
        const int count = static_cast<int>(std::min<std::size_t>(kChunk, track.samples.size() - at));
        const int bytes = lame_encode_buffer_ieee_float(lame.get(), track.samples.data() + at, nullptr, count,
                                                        buffer.data(), static_cast<int>(buffer.size()));
        ok = bytes >= 0 && std::fwrite(buffer.data(), 1, static_cast<std::size_t>(bytes), file.get()) ==
                               static_cast<std::size_t>(bytes);
    }
    if (ok) {
        const int bytes = lame_encode_flush(lame.get(), buffer.data(), static_cast<int>(buffer.size()));
        ok = bytes >= 0 && std::fwrite(buffer.data(), 1, static_cast<std::size_t>(bytes), file.get()) ==
                               static_cast<std::size_t>(bytes);
    }
    // The Info frame at the start carries the length and the encoder's delay, so that decoders
    // drop the padding and the label times stay true to the audio.
    if (ok) {
        const std::size_t tagSize = lame_get_lametag_frame(lame.get(), buffer.data(), buffer.size());
        if (tagSize > 0 && tagSize <= buffer.size()) {
            ok = std::fseek(file.get(), 0, SEEK_SET) == 0 &&
                 std::fwrite(buffer.data(), 1, tagSize, file.get()) == tagSize;
        }
    }
    ok = std::fflush(file.get()) == 0 && ok;
    if (!ok) {
        error = path + ": cannot write the track (" + std::strerror(errno) + ")";
    }
    return ok;
}

bool TrackWriter::writeLabels(const Track& track, const std::string& path, std::string& error) {
    std::vector<align::WordTiming> words;
    for (const WordTime& word : track.words) {
        words.push_back({word.start, word.end, word.word});
    }
    return align::LabelFile::save(path, words, error);
}

}  // namespace lirava::make
