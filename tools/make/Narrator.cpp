#include "tools/make/Narrator.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace lirava::make {
namespace {

// Silence kept before the first word and after the last of a split sentence.
constexpr double kEdge = 0.15;

}  // namespace

Narrator::Narrator(std::string language, std::string voice) : m_language(std::move(language)), m_voice(std::move(voice)) {}

bool Narrator::probe(const std::string& recording, std::string& error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(recording.c_str(), SFM_READ, &info);
    if (!file) {
        error = recording + ": cannot read the recording (" + sf_strerror(nullptr) + ")";
        return false;
    }
    sf_close(file);
    return true;
}

bool Narrator::decode(const std::string& recording, Track& track, std::string& error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(recording.c_str(), SFM_READ, &info);
    if (!file) {
        error = recording + ": cannot read the recording (" + sf_strerror(nullptr) + ")";
        return false;
    }
    std::vector<float> frames(static_cast<std::size_t>(info.frames) * static_cast<std::size_t>(info.channels));
    const sf_count_t read = sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    track.rate = info.samplerate;
    track.samples.assign(static_cast<std::size_t>(std::max<sf_count_t>(read, 0)), 0.0f);
    for (std::size_t i = 0; i < track.samples.size(); ++i) {
        float sum = 0;
        for (int c = 0; c < info.channels; ++c) {
            sum += frames[i * static_cast<std::size_t>(info.channels) + static_cast<std::size_t>(c)];
        }
        track.samples[i] = sum / static_cast<float>(info.channels);
    }
    if (track.samples.empty()) {
        error = recording + ": the recording is empty";
        return false;
    }
    return true;
}

bool Narrator::align(Track& track, const std::vector<std::string>& words, std::string& error) {
    // Placeholder until the aligner is linked: the words share the track evenly.
    (void)error;
    track.words.clear();
    const double step = track.seconds() / static_cast<double>(std::max<std::size_t>(1, words.size()));
    for (std::size_t i = 0; i < words.size(); ++i) {
        track.words.push_back({step * static_cast<double>(i), step * static_cast<double>(i + 1), words[i]});
    }
    return true;
}

bool Narrator::fromRecording(const std::string& recording, const std::string& text, Track& track, std::string& error) {
    return decode(recording, track, error) && align(track, captionWords(text), error);
}

bool Narrator::fromPageRecording(const std::string& recording, const std::vector<std::string>& sentences,
                                 std::vector<Track>& tracks, std::string& error) {
    Track whole;
    std::vector<std::string> words;
    std::vector<std::size_t> firstWord;
    for (const std::string& sentence : sentences) {
        firstWord.push_back(words.size());
        const std::vector<std::string> own = captionWords(sentence);
        words.insert(words.end(), own.begin(), own.end());
    }
    firstWord.push_back(words.size());
    if (!decode(recording, whole, error) || !align(whole, words, error)) {
        return false;
    }
    if (whole.words.size() != words.size()) {
        error = recording + ": the recording does not match the page's sentences";
        return false;
    }
    // Each cut lies halfway through the pause between one sentence's last word and the next
    // one's first, and neighbouring tracks meet there; only the page's own leading and trailing
    // silence is trimmed, to kEdge.
    const double length = whole.seconds();
    std::vector<double> cuts{0.0};
    for (std::size_t s = 1; s < sentences.size(); ++s) {
        const double end = whole.words[firstWord[s] - 1].end;
        const double start = whole.words[firstWord[s]].start;
        cuts.push_back((end + start) / 2);
    }
    cuts.push_back(length);
    tracks.clear();
    m_cuts.assign(cuts.begin() + 1, cuts.end() - 1);
    for (std::size_t s = 0; s < sentences.size(); ++s) {
        const double from = s > 0 ? cuts[s] : std::max(0.0, whole.words[firstWord[s]].start - kEdge);
        const double to = s + 1 < sentences.size() ? cuts[s + 1] : std::min(length, whole.words[firstWord[s + 1] - 1].end + kEdge);
        const auto a = static_cast<std::size_t>(std::max(0.0, from) * whole.rate);
        const auto b = std::min(whole.samples.size(), static_cast<std::size_t>(std::max(from, to) * whole.rate));
        Track track;
        track.rate = whole.rate;
        track.samples.assign(whole.samples.begin() + static_cast<std::ptrdiff_t>(std::min(a, b)),
                             whole.samples.begin() + static_cast<std::ptrdiff_t>(b));
        for (std::size_t w = firstWord[s]; w < firstWord[s + 1]; ++w) {
            const WordTime& word = whole.words[w];
            track.words.push_back({std::max(0.0, word.start - from), std::max(0.0, word.end - from), word.word});
        }
        tracks.push_back(std::move(track));
    }
    return true;
}

bool Narrator::fromSpeech(const std::string& text, Track& track, std::string& error) {
    if (!m_speechOpen) {
        if (!m_speech.open(m_language, m_voice, error)) {
            return false;
        }
        m_speechOpen = true;
    }
    return m_speech.speak(text, track, error);
}

}  // namespace lirava::make
