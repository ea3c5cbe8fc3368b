#include "tools/align/Aligner.h"

#include <pocketsphinx.h>

#include <algorithm>
#include <cmath>
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
        // -remove_silence no: frames must stay at their place in time. A little dither keeps
        // digital silence from giving the features minus infinity.
        config_ = cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", config.acousticModel.c_str(), "-dict",
                              config.dictionary.c_str(), "-remove_silence", "no", "-dither", "yes", "-seed", "1",
                              "-bestpath", "no", "-logfn", "/dev/null", nullptr);
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
    bool decode(const std::vector<float>& samples, const std::vector<std::string>& spoken, AlignResult& result);

    cmd_ln_t* config_ = nullptr;
    ps_decoder_t* decoder_ = nullptr;
    int searchCount_ = 0;
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
                const std::string phones = EspeakPronouncer::phonesFor(written[i]);
                if (phones.empty() || ps_add_word(decoder_, word.c_str(), phones.c_str(), FALSE) < 0) {
                    result.error = "cannot pronounce \"" + written[i] + "\" (word " + std::to_string(i + 1) +
                                   "): it is not in the dictionary and espeak-ng gives no English phones for it";
                    result.failedWord = i;
                    return false;
                }
                result.madePronunciations.push_back(written[i] + ": " + phones);
            }
        }
        spoken.push_back(word);
    }
    return true;
}

bool Aligner::Impl::decode(const std::vector<float>& samples, const std::vector<std::string>& spoken,
                           AlignResult& result) {
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

    std::vector<int16> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(), [](float sample) {
        return static_cast<int16>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
    });
    ps_start_utt(decoder_);
    ps_process_raw(decoder_, pcm.data(), pcm.size(), FALSE, TRUE);
    ps_end_utt(decoder_);

    int32 score = 0;
    const bool reachedEnd = ps_get_hyp(decoder_, &score) != nullptr;
    std::vector<WordTiming> timings;
    if (reachedEnd) {
        for (ps_seg_t* seg = ps_seg_iter(decoder_); seg != nullptr; seg = ps_seg_next(seg)) {
            const char* word = ps_seg_word(seg);
            if (isFiller(word)) {
                continue;
            }
            int startFrame = 0;
            int endFrame = 0;
            ps_seg_frames(seg, &startFrame, &endFrame);
            timings.push_back({startFrame * kFrameSeconds, (endFrame + 1) * kFrameSeconds, word});
        }
    }
    if (!reachedEnd || timings.size() != spokenIndex.size()) {
        result.error = "the recording does not match the text";
        result.failedWord = spokenIndex.empty() ? 0 : spokenIndex.front();
        result.failedAt = 0.0;
        return false;
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
    if (!decode(samples, spoken, result)) {
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

bool Aligner::ready() const { return impl_->error.empty(); }

const std::string& Aligner::error() const { return impl_->error; }

AlignResult Aligner::align(const std::vector<float>& samples, const std::vector<std::string>& words) {
    return impl_->align(samples, words);
}

}  // namespace lirava::align
