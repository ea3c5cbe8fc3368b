#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/align/WordTiming.h"

namespace lirava::align {

// Where the acoustic model, the pronouncing dictionary and espeak-ng's voice are.
struct AlignerConfig {
    std::string acousticModel = "/usr/share/pocketsphinx/model/en-us/en-us";
    std::string dictionary = "/usr/share/pocketsphinx/model/en-us/cmudict-en-us.dict";
    // The espeak-ng voice that pronounces words the dictionary lacks.
    std::string espeakVoice = "en-us";
};

// The outcome of one alignment.
struct AlignResult {
    bool aligned = false;
    // When aligned: one timing a written word, in the text's order.
    std::vector<WordTiming> words;
    // When not: why, naming the word and the time in the recording where it went wrong.
    std::string error;
    // Index of that word in the text's words (the count of words when the text ran out of audio).
    size_t failedWord = 0;
    double failedAt = 0.0;
    // Words the dictionary lacks and the pronunciation made for them from espeak-ng's phonemes,
    // one line each ("Biscuit: B IH S K IH T"); the tool prints them on standard error.
    std::vector<std::string> madePronunciations;
};

// Forced alignment of an English recording with its exact text: PocketSphinx decodes the audio
// against a grammar that allows only the text's words in order, with optional pauses and breaths
// between them. Loading the model takes a moment, so one aligner serves many recordings; it is
// not for use from two threads at once, and it starts none.
class Aligner {
public:
    static constexpr int kSampleRate = 16000;

    explicit Aligner(const AlignerConfig& config = AlignerConfig());
    ~Aligner();
    Aligner(const Aligner&) = delete;
    Aligner& operator=(const Aligner&) = delete;

    // False when the model or dictionary could not be loaded; error() says why.
    bool ready() const;
    const std::string& error() const;

    // Aligns mono samples at kSampleRate (AudioDecoder gives them) with the text's words as
    // written (TextWords::split gives them).
    AlignResult align(const std::vector<float>& samples, const std::vector<std::string>& words);

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace lirava::align
