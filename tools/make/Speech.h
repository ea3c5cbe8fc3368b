#pragma once

#include <string>

#include "tools/make/Track.h"

namespace lirava::make {

// Synthetic narration through libespeak-ng, with word times from its word events.
// espeak-ng keeps global state, shared with the aligner's pronouncer: one Speech a process.
class Speech {
public:
    Speech() = default;
    Speech(const Speech&) = delete;
    Speech& operator=(const Speech&) = delete;

    // Picks the voice: `voice` when given, else the language's. False with `error` set when
    // espeak-ng or the voice is missing.
    bool open(const std::string& language, const std::string& voice, std::string& error);
    bool speak(const std::string& text, Track& track, std::string& error);

private:
    bool selectVoice(std::string& error);

    std::string m_voice;
    std::string m_language;
    int m_rate = 0;
};

}  // namespace lirava::make
