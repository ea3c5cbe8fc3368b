#pragma once

#include <string>

namespace lirava::align {

// Pronunciations for words that the pronouncing dictionary lacks: espeak-ng's phonemes for the
// word, mapped onto the acoustic model's phone set (the dictionary's 39 phones). espeak-ng keeps
// one global state, so there is one pronouncer a process; it starts no threads.
class EspeakPronouncer {
public:
    // False when espeak-ng or the voice cannot be loaded.
    static bool open(const std::string& voice, std::string& error);

    // The phones for a written word, space-separated ("B IH S K IH T"), or empty when espeak-ng
    // gives nothing that maps (a word in another script, say).
    static std::string phonesFor(const std::string& written);

    // Maps espeak-ng's phoneme mnemonics, separated by '_' and with stress marks, onto the
    // model's phones. Exposed for tests.
    static std::string mapPhonemes(const std::string& espeakPhonemes);
};

}  // namespace lirava::align
