#pragma once

#include <string>

namespace lirava::align {

// One spoken word of a recording: when it starts and ends, in seconds from the start of the
// recording, and the word as the text writes it (punctuation attached).
struct WordTiming {
    double start = 0.0;
    double end = 0.0;
    std::string word;
};

}  // namespace lirava::align
