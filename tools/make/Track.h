#pragma once

#include <string>
#include <vector>

namespace lirava::make {

struct WordTime {
    double start = 0;  // seconds from the start of the track
    double end = 0;
    std::string word;  // as the caption writes it, punctuation attached
};

// One sentence's narration before encoding: mono samples in -1..1 and the words' times.
struct Track {
    std::vector<float> samples;
    int rate = 22050;
    std::vector<WordTime> words;
    double seconds() const { return rate > 0 ? static_cast<double>(samples.size()) / rate : 0.0; }
};

}  // namespace lirava::make
