#include "tools/make/Speech.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace lirava::make {
namespace {

struct Capture {
    std::vector<short> samples;
    // (character position in the text, 1-based; milliseconds from the start where the word starts)
    std::vector<std::pair<int, int>> words;
};

int collect(short* wav, int count, espeak_EVENT* events) {
    Capture* capture = nullptr;
    for (espeak_EVENT* e = events; e && e->type != espeakEVENT_LIST_TERMINATED; ++e) {
        capture = static_cast<Capture*>(e->user_data);
        if (e->type == espeakEVENT_WORD) {
            capture->words.emplace_back(e->text_position, e->audio_position);
        }
    }
    if (capture && wav && count > 0) {
        capture->samples.insert(capture->samples.end(), wav, wav + count);
    }
    return 0;
}

// Byte offset of each character of a UTF-8 text, and one past the end.
std::vector<std::size_t> characterOffsets(const std::string& text) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            offsets.push_back(i);
        }
    }
    offsets.push_back(text.size());
    return offsets;
}

}  // namespace

std::vector<std::string> captionWords(const std::string& caption) {
    std::vector<std::string> words;
    std::size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    // ASCII punctuation only: letters of other scripts are bytes >= 0x80 and stay.
    auto isMark = [](char c) { return static_cast<unsigned char>(c) < 0x80 && std::ispunct(static_cast<unsigned char>(c)); };
    while (i < caption.size()) {
        while (i < caption.size() && isSpace(caption[i])) {
            ++i;
        }
        std::size_t end = i;
        while (end < caption.size() && !isSpace(caption[end])) {
            ++end;
        }
        std::size_t a = i;
        std::size_t b = end;
        while (a < b && isMark(caption[a])) {
            ++a;
        }
        while (b > a && isMark(caption[b - 1])) {
            --b;
        }
        if (b > a) {
            words.push_back(caption.substr(a, b - a));
        }
        i = end;
    }
    return words;
}

Speech::~Speech() {
    if (m_open) {
        espeak_Terminate();
    }
}

bool Speech::open(const std::string& language, const std::string& voice, std::string& error) {
    m_rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (m_rate <= 0) {
        error = "espeak-ng cannot start (is espeak-ng-data installed?)";
        return false;
    }
    m_open = true;
    espeak_SetSynthCallback(collect);
    const std::string name = voice.empty() ? language : voice;
    if (espeak_SetVoiceByName(name.c_str()) != EE_OK) {
        espeak_VOICE wanted;
        std::memset(&wanted, 0, sizeof wanted);
        wanted.languages = language.c_str();
        if (!voice.empty() || espeak_SetVoiceByProperties(&wanted) != EE_OK) {
            error = "espeak-ng has no voice \"" + name + "\"";
            return false;
        }
    }
    return true;
}

bool Speech::speak(const std::string& text, Track& track, std::string& error) {
    Capture capture;
    const espeak_ERROR status = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8, nullptr, &capture);
    if (status != EE_OK || capture.samples.empty()) {
        error = "espeak-ng could not speak \"" + text + "\"";
        return false;
    }
    track.rate = m_rate;
    track.samples.resize(capture.samples.size());
    std::transform(capture.samples.begin(), capture.samples.end(), track.samples.begin(),
                   [](short s) { return static_cast<float>(s) / 32768.0f; });

    // Each caption word takes the time of the first word event that starts inside it, and ends
    // where the next word starts; the last ends with the voice.
    const std::vector<std::size_t> offsets = characterOffsets(text);
    const std::vector<std::string> words = captionWords(text);
    std::vector<std::size_t> wordStarts;
    std::size_t from = 0;
    for (const std::string& word : words) {
        const std::size_t at = text.find(word, from);
        wordStarts.push_back(at);
        from = at + word.size();
    }
    std::vector<long> startSample(words.size(), -1);
    for (const auto& [position, ms] : capture.words) {
        const int index = position - 1;
        if (index < 0 || index >= static_cast<int>(offsets.size())) {
            continue;
        }
        const std::size_t byte = offsets[index];
        // The word the event's text is in, or the next one when it points at the space before.
        for (std::size_t w = 0; w < words.size(); ++w) {
            if (byte < wordStarts[w] + words[w].size()) {
                if (startSample[w] < 0) {
                    startSample[w] = static_cast<long>(ms) * m_rate / 1000;
                }
                break;
            }
        }
    }
    long voiceEnd = static_cast<long>(capture.samples.size());
    while (voiceEnd > 0 && std::abs(capture.samples[voiceEnd - 1]) < 64) {
        --voiceEnd;
    }
    long previous = 0;
    for (std::size_t w = 0; w < words.size(); ++w) {
        if (startSample[w] < previous) {
            startSample[w] = previous;  // a word espeak-ng spoke as part of its neighbour
        }
        previous = startSample[w];
    }
    track.words.clear();
    for (std::size_t w = 0; w < words.size(); ++w) {
        const long end = w + 1 < words.size() ? startSample[w + 1] : std::max(voiceEnd, startSample[w]);
        track.words.push_back({static_cast<double>(startSample[w]) / m_rate, static_cast<double>(end) / m_rate, words[w]});
    }
    return true;
}

}  // namespace lirava::make
