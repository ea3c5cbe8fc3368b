#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/align/WordTiming.h"

namespace lirava::align {

// Word timings as a label track: UTF-8, one line a word, "start<TAB>end<TAB>word", seconds with
// six decimals, in spoken order. Audio editors import the same format over the recording.
class LabelFile {
public:
    static void write(std::ostream& out, const std::vector<WordTiming>& words);

    // Writes beside `path` first and renames over it, so a failure never leaves a half-written
    // label file behind. False with a message when the file cannot be written.
    static bool save(const std::string& path, const std::vector<WordTiming>& words, std::string& error);
};

}  // namespace lirava::align
