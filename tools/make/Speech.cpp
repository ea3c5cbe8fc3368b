#include "tools/make/Speech.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "tools/align/TextWords.h"

namespace lirava::make {
namespace {

struct Capture {
    std::vector<short> samples;
    // (character position in the text, 1-based; milliseconds from the start where the word starts)
    std::vector<std::pair<int, int>> words;
};

// The utterance being synthesised. espeak-ng calls back on the caller's thread, and chunks of
// audio without events carry no user data to find it by.
Capture* g_capture = nullptr;

int collect(short* wav, int count, espeak_EVENT* events) {
    Capture* capture = g_capture;
    for (espeak_EVENT* e = events; capture && e && e->type != espeakEVENT_LIST_TERMINATED; ++e) {
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

bool Speech::open(const std::string& language, const std::string& voice, std::string& error) {
    m_rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (m_rate <= 0) {
        error = "espeak-ng cannot start (is espeak-ng-data installed?)";
        return false;
    }
    m_voice = voice.empty() ? language : voice;
    m_language = language;
    return selectVoice(error);
}

// The aligner asks espeak-ng for pronunciations in its own voice between sentences, so the book's
// voice is chosen again before each one.
bool Speech::selectVoice(std::string& error) {
    espeak_SetSynthCallback(collect);
    if (espeak_SetVoiceByName(m_voice.c_str()) == EE_OK) {
        return true;
    }
    espeak_VOICE wanted;
    std::memset(&wanted, 0, sizeof wanted);
    wanted.languages = m_language.c_str();
    if (m_voice != m_language || espeak_SetVoiceByProperties(&wanted) != EE_OK) {
        error = "espeak-ng has no voice \"" + m_voice + "\"";
        return false;
    }
    return true;
}

bool Speech::speak(const std::string& text, Track& track, std::string& error) {
    if (!selectVoice(error)) {
        return false;
    }
    Capture capture;
    g_capture = &capture;
    const espeak_ERROR status =
        espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    g_capture = nullptr;
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
    const std::vector<std::string> words = align::TextWords::split(text);
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
        track.words.push_back(
            {static_cast<double>(startSample[w]) / m_rate, static_cast<double>(end) / m_rate, words[w]});
    }
    return true;
}

}  // namespace lirava::make
