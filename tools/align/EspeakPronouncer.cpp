#include "tools/align/EspeakPronouncer.h"

#include <espeak-ng/speak_lib.h>

#include <map>

namespace lirava::align {

namespace {

// espeak-ng's English mnemonics, after stress marks are taken off. A mnemonic not in the table
// is tried again without its last character, which drops variant marks ("t#", "@2", "I#").
const std::map<std::string, std::string>& phoneTable() {
    static const std::map<std::string, std::string> table = {
        {"p", "P"},       {"b", "B"},     {"t", "T"},     {"d", "D"},       {"k", "K"},       {"g", "G"},
        {"f", "F"},       {"v", "V"},     {"T", "TH"},    {"D", "DH"},      {"s", "S"},       {"z", "Z"},
        {"S", "SH"},      {"Z", "ZH"},    {"h", "HH"},    {"m", "M"},       {"n", "N"},       {"N", "NG"},
        {"l", "L"},       {"r", "R"},     {"w", "W"},     {"j", "Y"},       {"tS", "CH"},     {"dZ", "JH"},
        {"x", "K"},       {"C", "HH"},    {"W", "W"},     {"L", "L"},       {"n-", "N"},      {"r-", "R"},
        {"@L", "AH L"},   {"@", "AH"},    {"3", "ER"},    {"3:", "ER"},     {"a#", "AH"},     {"V", "AH"},
        {"I", "IH"},      {"i", "IY"},    {"i:", "IY"},   {"E", "EH"},      {"a", "AE"},      {"aa", "AE"},
        {"A:", "AA"},     {"A", "AA"},    {"0", "AA"},    {"O:", "AO"},     {"O", "AO"},      {"U", "UH"},
        {"u:", "UW"},     {"u", "UW"},    {"eI", "EY"},   {"aI", "AY"},     {"OI", "OY"},     {"aU", "AW"},
        {"oU", "OW"},     {"o", "OW"},    {"e@", "EH R"}, {"i@", "IH R"},   {"i@3", "IH R"},  {"U@", "UH R"},
        {"A@", "AA R"},   {"O@", "AO R"}, {"o@", "AO R"}, {"aI@", "AY ER"}, {"aU@", "AW ER"}, {"aI3", "AY ER"},
        {"aU3", "AW ER"}, {"e", "EH"},    {"y", "UW"},    {"Y", "UW"},
    };
    return table;
}

std::string mapOne(std::string phoneme) {
    const auto& table = phoneTable();
    while (!phoneme.empty()) {
        const auto found = table.find(phoneme);
        if (found != table.end()) {
            return found->second;
        }
        phoneme.pop_back();
    }
    return {};
}

}  // namespace

bool EspeakPronouncer::open(const std::string& voice, std::string& error) {
    static int rate = -1;
    if (rate < 0) {
        // No audio is played, only phonemes are asked for; no data path means the installed one.
        rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (rate < 0) {
            error = "espeak-ng cannot be started (is espeak-ng-data installed?)";
            return false;
        }
    }
    if (espeak_SetVoiceByName(voice.c_str()) != EE_OK) {
        error = "espeak-ng has no voice \"" + voice + "\"";
        return false;
    }
    return true;
}

std::string EspeakPronouncer::phonesFor(const std::string& written) {
    const void* text = written.c_str();
    std::string phonemes;
    // espeak-ng hands the phonemes back clause by clause; "_" separates single phonemes.
    while (text != nullptr) {
        const char* clause = espeak_TextToPhonemes(&text, espeakCHARS_UTF8, '_' << 8);
        if (clause == nullptr) {
            break;
        }
        phonemes += phonemes.empty() ? "" : "_";
        phonemes += clause;
    }
    return mapPhonemes(phonemes);
}

std::string EspeakPronouncer::mapPhonemes(const std::string& espeakPhonemes) {
    std::string phones;
    std::string phoneme;
    auto flush = [&]() {
        const std::string mapped = mapOne(phoneme);
        // espeak-ng marks a linking r after an r-coloured vowel ("3_r-"); the dictionary has one R.
        const bool doubledR = mapped == "R" && phones.size() >= 1 && phones.back() == 'R';
        if (!mapped.empty() && !doubledR) {
            phones += (phones.empty() ? "" : " ") + mapped;
        }
        phoneme.clear();
    };
    for (char c : espeakPhonemes) {
        if (c == '_' || c == ' ') {
            flush();
        } else if (c != '\'' && c != ',' && c != '%' && c != '=' && c != '|') {
            phoneme += c;
        }
    }
    flush();
    return phones;
}

}  // namespace lirava::align
