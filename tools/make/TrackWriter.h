#pragma once

#include <string>

#include "tools/make/Track.h"

namespace lirava::make {

// Writes a sentence's narration as the reader plays it: one loudness for every track, MP3 as
// the sample book's (mono, 22.05 kHz, 32 kbit/s), and the word-timing labels beside it.
class TrackWriter {
public:
    // Scales the samples to one speech loudness, without letting a peak clip.
    static void normalise(Track& track);
    static bool writeMp3(const Track& track, const std::string& path, std::string& error);
    // "start<TAB>end<TAB>word" a line, in seconds, through the aligner's label writer.
    static bool writeLabels(const Track& track, const std::string& path, std::string& error);
};

}  // namespace lirava::make
