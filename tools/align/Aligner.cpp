#include "tools/align/Aligner.h"

#include <pocketsphinx.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "tools/align/EspeakPronouncer.h"
#include "tools/align/TextWords.h"

namespace lirava::align {

namespace {

// PocketSphinx's default: 100 feature frames a second.
constexpr double kFrameSeconds = 0.01;

std::string timeText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

// Quieter than -60 dBFS in every 10 ms: nothing was recorded, or only the noise floor of the
// converter. PocketSphinx would force the words into it anyway.
bool isSilent(const std::vector<float>& samples) {
    constexpr size_t kWindow = Aligner::kSampleRate / 100;
    for (size_t start = 0; start < samples.size(); start += kWindow) {
        const size_t end = std::min(samples.size(), start + kWindow);
        double energy = 0.0;
        for (size_t i = start; i < end; ++i) {
            energy += static_cast<double>(samples[i]) * samples[i];
        }
        if (energy / static_cast<double>(end - start) > 1e-6) {
            return false;
        }
    }
    return true;
}

// No phone of a word is held this long on average, even drawn out for a child.
constexpr double kLongestPhone = 0.4;

// Speech held in a pause for this long is not a breath or a noise.
constexpr double kLongestSpeechInPause = 0.3;

// The loudness of every 10 ms of a recording, against its speech level (the 90th percentile):
// frames within 15 dB of that level are speech.
class SpeechLevel {
public:
    explicit SpeechLevel(const std::vector<float>& samples) {
        constexpr size_t kWindow = Aligner::kSampleRate / 100;
        for (size_t start = 0; start + kWindow <= samples.size(); start += kWindow) {
            double energy = 1e-10;
            for (size_t i = start; i < start + kWindow; ++i) {
                energy += static_cast<double>(samples[i]) * samples[i];
            }
            decibels_.push_back(10.0 * std::log10(energy / kWindow));
        }
        if (!decibels_.empty()) {
            std::vector<double> sorted = decibels_;
            const size_t at = sorted.size() * 9 / 10;
            std::nth_element(sorted.begin(), sorted.begin() + static_cast<long>(at), sorted.end());
            threshold_ = sorted[at] - 15.0;
        }
    }

    // The longest run of speech frames between two times, in seconds.
    double longestSpeech(double from, double to) const {
        size_t longest = 0;
        size_t run = 0;
        const size_t end = std::min(decibels_.size(), static_cast<size_t>(std::max(0.0, to) * 100.0));
        for (size_t frame = static_cast<size_t>(std::max(0.0, from) * 100.0); frame < end; ++frame) {
            run = decibels_[frame] >= threshold_ ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        return static_cast<double>(longest) * kFrameSeconds;
    }

private:
    std::vector<double> decibels_;
    double threshold_ = 0.0;
};

bool isFiller(const char* word) {
    return word == nullptr || word[0] == '<' || word[0] == '[' || word[0] == '(';
}

}  // namespace

class Aligner::Impl {
public:
    explicit Impl(const AlignerConfig& config) {
        if (!EspeakPronouncer::open(config.espeakVoice, error)) {
            return;
        }
        // -remove_silence no: frames must stay at their place in time. The samples get their
        // dither in align(), the same every time (PocketSphinx's own would carry its random
        // state from one recording to the next, so a text would align differently the second time).
        config_ = cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", config.acousticModel.c_str(), "-dict",
                              config.dictionary.c_str(), "-remove_silence", "no", "-cmn", "batch", "-bestpath", "no",
                              "-logfn", "/dev/null", nullptr);
        if (config_ == nullptr) {
            error = "PocketSphinx does not accept its configuration";
            return;
        }
        decoder_ = ps_init(config_);
        if (decoder_ == nullptr) {
            error = "PocketSphinx cannot load the model in " + config.acousticModel + " with the dictionary " +
                    config.dictionary;
        }
    }

    ~Impl() {
        if (decoder_ != nullptr) {
            ps_free(decoder_);
        }
        if (config_ != nullptr) {
            cmd_ln_free_r(config_);
        }
    }

    AlignResult align(const std::vector<float>& samples, const std::vector<std::string>& written);

    std::string error;

private:
    // The dictionary word for each written word ("" for one that is not spoken), adding
    // pronunciations made by espeak-ng for words the dictionary lacks.
    bool dictionaryWords(const std::vector<std::string>& written, std::vector<std::string>& spoken,
                         AlignResult& result);
    bool decode(const std::vector<float>& samples, const std::vector<std::string>& written,
                const std::vector<std::string>& spoken, AlignResult& result);
    // A hyphenated word whose parts the dictionary all knows ("ill-disposed") is said as its
    // parts one after the other; empty otherwise.
    std::string joinedPhones(const std::string& written);
    // Phones in the dictionary's first pronunciation of a word (at least 1).
    double phoneCount(const std::string& word);
    // The words of the search's best path; its pauses and noises go to `pauses` when given.
    std::vector<WordTiming> segments(std::vector<WordTiming>* pauses = nullptr);

    cmd_ln_t* config_ = nullptr;
    ps_decoder_t* decoder_ = nullptr;
    int searchCount_ = 0;
    std::string searchName_;
};

bool Aligner::Impl::dictionaryWords(const std::vector<std::string>& written, std::vector<std::string>& spoken,
                                    AlignResult& result) {
    spoken.clear();
    for (size_t i = 0; i < written.size(); ++i) {
        std::string word = TextWords::spokenForm(written[i]);
        if (!word.empty()) {
            char* known = ps_lookup_word(decoder_, word.c_str());
            if (known != nullptr) {
                ckd_free(known);
            } else {
                std::string phones = joinedPhones(written[i]);
                const bool joined = !phones.empty();
                if (!joined) {
                    phones = EspeakPronouncer::phonesFor(written[i]);
                }
                if (phones.empty() || ps_add_word(decoder_, word.c_str(), phones.c_str(), FALSE) < 0) {
                    result.error = "cannot pronounce \"" + written[i] + "\" (word " + std::to_string(i + 1) +
                                   "): it is not in the dictionary and espeak-ng gives no English phones for it";
                    result.failedWord = i;
                    return false;
                }
                if (!joined) {
                    result.madePronunciations.push_back(written[i] + ": " + phones);
                }
            }
        }
        spoken.push_back(word);
    }
    return true;
}

std::string Aligner::Impl::joinedPhones(const std::string& written) {
    std::string phones;
    size_t start = 0;
    while (start <= written.size()) {
        size_t dash = written.find('-', start);
        if (dash == std::string::npos) {
            dash = written.size();
        }
        const std::string part = TextWords::spokenForm(written.substr(start, dash - start));
        if (!part.empty()) {
            char* known = ps_lookup_word(decoder_, part.c_str());
            if (known == nullptr) {
                return {};
            }
            phones += (phones.empty() ? "" : " ") + std::string(known);
            ckd_free(known);
        }
        start = dash + 1;
    }
    return written.find('-') == std::string::npos ? std::string() : phones;
}

double Aligner::Impl::phoneCount(const std::string& word) {
    char* phones = ps_lookup_word(decoder_, word.c_str());
    if (phones == nullptr) {
        return 1.0;
    }
    const std::string text = phones;
    ckd_free(phones);
    return static_cast<double>(std::max<std::ptrdiff_t>(1, std::count(text.begin(), text.end(), ' ') + 1));
}

std::vector<WordTiming> Aligner::Impl::segments(std::vector<WordTiming>* pauses) {
    std::vector<WordTiming> timings;
    for (ps_seg_t* seg = ps_seg_iter(decoder_); seg != nullptr; seg = ps_seg_next(seg)) {
        const char* word = ps_seg_word(seg);
        int startFrame = 0;
        int endFrame = 0;
        ps_seg_frames(seg, &startFrame, &endFrame);
        WordTiming timing{startFrame * kFrameSeconds, (endFrame + 1) * kFrameSeconds, word != nullptr ? word : ""};
        if (!isFiller(word)) {
            timings.push_back(std::move(timing));
        } else if (pauses != nullptr) {
            pauses->push_back(std::move(timing));
        }
    }
    return timings;
}

bool Aligner::Impl::decode(const std::vector<float>& samples, const std::vector<std::string>& written,
                           const std::vector<std::string>& spoken, AlignResult& result) {
    std::vector<size_t> spokenIndex;
    for (size_t i = 0; i < spoken.size(); ++i) {
        if (!spoken[i].empty()) {
            spokenIndex.push_back(i);
        }
    }
    // A chain of states, one word between each two; the search adds optional silence and
    // noise at every state, and the dictionary's other pronunciations of each word.
    logmath_t* logmath = ps_get_logmath(decoder_);
    fsg_model_t* grammar = fsg_model_init("text", logmath, 1.0f, static_cast<int32>(spokenIndex.size() + 1));
    grammar->start_state = 0;
    grammar->final_state = static_cast<int32>(spokenIndex.size());
    for (size_t k = 0; k < spokenIndex.size(); ++k) {
        const int32 wid = fsg_model_word_add(grammar, spoken[spokenIndex[k]].c_str());
        fsg_model_trans_add(grammar, static_cast<int32>(k), static_cast<int32>(k + 1), 0, wid);
    }
    const std::string name = "text" + std::to_string(++searchCount_);
    if (ps_set_fsg(decoder_, name.c_str(), grammar) < 0 || ps_set_search(decoder_, name.c_str()) < 0) {
        fsg_model_free(grammar);
        result.error = "PocketSphinx does not accept the text as a grammar";
        return false;
    }
    fsg_model_free(grammar);  // the search holds its own reference
    // One aligner times many recordings: the previous text's search goes once it is not current.
    if (!searchName_.empty()) {
        ps_unset_search(decoder_, searchName_.c_str());
    }
    searchName_ = name;

    std::vector<int16> pcm(samples.size());
    // A dither of one step keeps digital silence from giving the features minus infinity; the
    // generator starts afresh for every recording.
    uint32_t noise = 1;
    std::transform(samples.begin(), samples.end(), pcm.begin(), [&noise](float sample) {
        noise = noise * 1664525u + 1013904223u;
        const float dither = static_cast<float>(noise >> 31) - 0.5f;
        return static_cast<int16>(std::lround(std::clamp(sample * 32767.0f + dither, -32768.0f, 32767.0f)));
    });
    // The front end estimates the noise level across utterances; each recording starts afresh.
    ps_start_stream(decoder_);
    ps_start_utt(decoder_);
    ps_process_raw(decoder_, pcm.data(), pcm.size(), FALSE, TRUE);
    // Before the utterance ends the search gives its best path so far, ending in any state: on
    // failure, the words it did place say how far the text could be followed.
    const std::vector<WordTiming> partial = segments();
    ps_end_utt(decoder_);

    int32 score = 0;
    std::vector<WordTiming> timings;
    std::vector<WordTiming> pauses;
    if (ps_get_hyp(decoder_, &score) != nullptr) {
        timings = segments(&pauses);
    }
    if (timings.size() != spokenIndex.size()) {
        const size_t placed = std::min(partial.size(), spokenIndex.size() - 1);
        result.failedWord = spokenIndex[placed];
        result.failedAt = placed == 0 ? 0.0 : partial[placed - 1].end;
        result.error = "cannot align \"" + written[result.failedWord] + "\" (word " +
                       std::to_string(result.failedWord + 1) + ") at " + timeText(result.failedAt) +
                       ": the recording does not say the text from there on";
        return false;
    }
    // The search can always call what it cannot match a pause: speech in a pause means the text
    // does not say what the recording says (words left out of the text, or another text).
    const SpeechLevel level(samples);
    for (const WordTiming& pause : pauses) {
        if (level.longestSpeech(pause.start, pause.end) >= kLongestSpeechInPause) {
            const auto next = std::find_if(timings.begin(), timings.end(),
                                           [&](const WordTiming& word) { return word.start >= pause.end; });
            const size_t placed = next == timings.end() ? timings.size() - 1 : size_t(next - timings.begin());
            result.failedWord = spokenIndex[placed];
            result.failedAt = pause.start;
            result.error = "cannot align \"" + written[result.failedWord] + "\" (word " +
                           std::to_string(result.failedWord + 1) + ") at " + timeText(result.failedAt) +
                           ": the recording says something there that the text does not";
            return false;
        }
    }
    // A word held far longer than its phones take has swallowed speech the text does not have.
    for (size_t k = 0; k < timings.size(); ++k) {
        const double perPhone = (timings[k].end - timings[k].start) / phoneCount(spoken[spokenIndex[k]]);
        if (perPhone > kLongestPhone) {
            result.failedWord = spokenIndex[k];
            result.failedAt = timings[k].start;
            char length[32];
            std::snprintf(length, sizeof length, "%.2f s", timings[k].end - timings[k].start);
            result.error = "cannot align \"" + written[result.failedWord] + "\" (word " +
                           std::to_string(result.failedWord + 1) + ") at " + timeText(result.failedAt) +
                           ": it would last " + length + ", too long for the word";
            return false;
        }
    }
    result.words.resize(spoken.size());
    for (size_t k = 0; k < spokenIndex.size(); ++k) {
        result.words[spokenIndex[k]] = timings[k];
    }
    return true;
}

AlignResult Aligner::Impl::align(const std::vector<float>& samples, const std::vector<std::string>& written) {
    AlignResult result;
    if (decoder_ == nullptr) {
        result.error = error;
        return result;
    }
    std::vector<std::string> spoken;
    if (!dictionaryWords(written, spoken, result)) {
        return result;
    }
    if (std::all_of(spoken.begin(), spoken.end(), [](const std::string& word) { return word.empty(); })) {
        result.error = "the text has no words to say";
        return result;
    }
    if (isSilent(samples)) {
        result.error = "cannot align \"" + written.front() + "\" (word 1) at 0.00 s: the recording is silent";
        return result;
    }
    if (!decode(samples, written, spoken, result)) {
        return result;
    }
    // Words that are not said (a dash standing alone) are an instant where they stand.
    double previousEnd = 0.0;
    for (size_t i = 0; i < written.size(); ++i) {
        if (spoken[i].empty()) {
            result.words[i].start = previousEnd;
            result.words[i].end = previousEnd;
        }
        result.words[i].word = written[i];
        previousEnd = result.words[i].end;
    }
    result.aligned = true;
    return result;
}

Aligner::Aligner(const AlignerConfig& config) : impl_(std::make_unique<Impl>(config)) {}

Aligner::~Aligner() = default;

bool Aligner::ready() const {
    return impl_->error.empty();
}

const std::string& Aligner::error() const {
    return impl_->error;
}

AlignResult Aligner::align(const std::vector<float>& samples, const std::vector<std::string>& words) {
    return impl_->align(samples, words);
}

}  // namespace lirava::align
