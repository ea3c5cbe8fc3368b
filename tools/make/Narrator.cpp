#include "tools/make/Narrator.h"

#include <algorithm>
#include <cmath>

#include "tools/align/AudioDecoder.h"
#include "tools/align/TextWords.h"

namespace lirava::make {
namespace {

// Silence kept before the first word and after the last of a split sentence.
constexpr double kEdge = 0.15;

}  // namespace

Narrator::Narrator(std::string language, std::string voice)
    : m_language(std::move(language)), m_voice(std::move(voice)) {}

bool Narrator::probe(const std::string& recording, std::string& error) {
    // The cheapest full read: at a low rate. A file that decodes here decodes when it is used.
    align::MonoAudio audio;
    return align::AudioDecoder().decode(recording, 8000, audio, error);
}

bool Narrator::decode(const std::string& recording, Track& track, std::string& error) {
    align::MonoAudio audio;
    if (!align::AudioDecoder().decode(recording, Track().rate, audio, error)) {
        return false;
    }
    track.samples = std::move(audio.samples);
    track.rate = audio.rate;
    return true;
}

bool Narrator::align(const std::string& recording, Track& track, const std::vector<std::string>& words,
                     std::string& error) {
    align::MonoAudio audio;
    if (!align::AudioDecoder().decode(recording, align::Aligner::kSampleRate, audio, error)) {
        return false;
    }
    if (!m_aligner) {
        m_aligner = std::make_unique<align::Aligner>();
        if (!m_aligner->ready()) {
            error = "the aligner cannot start: " + m_aligner->error();
            m_aligner.reset();
            return false;
        }
    }
    const align::AlignResult result = m_aligner->align(audio.samples, words);
    if (!result.aligned) {
        error = recording + ": cannot align the recording with its text: " + result.error;
        return false;
    }
    track.words.clear();
    for (const align::WordTiming& word : result.words) {
        track.words.push_back({word.start, word.end, word.word});
    }
    return true;
}

bool Narrator::fromRecording(const std::string& recording, const std::string& text, Track& track, std::string& error) {
    return decode(recording, track, error) && align(recording, track, align::TextWords::split(text), error);
}

bool Narrator::fromPageRecording(const std::string& recording, const std::vector<std::string>& sentences,
                                 std::vector<Track>& tracks, std::string& error) {
    Track whole;
    std::vector<std::string> words;
    std::vector<std::size_t> firstWord;
    for (const std::string& sentence : sentences) {
        firstWord.push_back(words.size());
        const std::vector<std::string> own = align::TextWords::split(sentence);
        words.insert(words.end(), own.begin(), own.end());
    }
    firstWord.push_back(words.size());
    if (!decode(recording, whole, error) || !align(recording, whole, words, error)) {
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
        const double to =
            s + 1 < sentences.size() ? cuts[s + 1] : std::min(length, whole.words[firstWord[s + 1] - 1].end + kEdge);
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
