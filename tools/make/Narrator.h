#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/align/Aligner.h"
#include "tools/make/Speech.h"
#include "tools/make/Track.h"

namespace lirava::make {

// Turns a sentence's source into its track with word times: a recording of the sentence alone,
// a recording of the whole page split into its sentences, or synthetic speech.
class Narrator {
public:
    Narrator(std::string language, std::string voice);

    // Whether the recording can be decoded; `error` names the file otherwise.
    static bool probe(const std::string& recording, std::string& error);

    bool fromRecording(const std::string& recording, const std::string& text, Track& track, std::string& error);
    // One track per sentence, cut between the sentences where the alignment puts them.
    bool fromPageRecording(const std::string& recording, const std::vector<std::string>& sentences,
                           std::vector<Track>& tracks, std::string& error);
    // Where the last page recording was cut, in seconds from its start.
    const std::vector<double>& cuts() const { return m_cuts; }
    bool fromSpeech(const std::string& text, Track& track, std::string& error);

private:
    bool decode(const std::string& recording, Track& track, std::string& error);
    // Word times of the recording from the aligner (which takes its own rate), into `track`.
    bool align(const std::string& recording, Track& track, const std::vector<std::string>& words, std::string& error);

    std::string m_language;
    std::string m_voice;
    Speech m_speech;
    bool m_speechOpen = false;
    std::vector<double> m_cuts;
    // Loaded at the first recording: the acoustic model takes a moment.
    std::unique_ptr<align::Aligner> m_aligner;
};

}  // namespace lirava::make
