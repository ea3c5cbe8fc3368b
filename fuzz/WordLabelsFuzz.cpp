// Any bytes as a word-timing label file: parsed, matched against a caption and a track length,
// and asked which word is lit along the track. A file without findings must keep the promises
// the reader relies on: words in order, each ending at or after its start, finite times.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/reader/WordLabels.h"
#include "fuzz/FuzzSupport.h"

using namespace lirava;

namespace {

void runOnce(const std::uint8_t* data, std::size_t size, bool /*checkLeaks*/) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    wordlabels::File file = wordlabels::parse(bytes);
    if (file.findings.empty()) {
        double start = 0.0;
        for (const wordlabels::Word& word : file.words) {
            if (!std::isfinite(word.start) || !std::isfinite(word.end) || word.start < start || word.end < word.start ||
                word.text.empty()) {
                __builtin_trap();
            }
            start = word.start;
        }
    }
    wordlabels::matchCaption(file, "I brush my teeth.");
    wordlabels::checkTrackLength(file, 1.5);
    int previous = -1;
    for (double t = -0.5; t < 3.0; t += 0.05) {
        const int lit = wordlabels::litWordAt(file.words, t);
        // Along the track the light only moves on.
        if (lit < previous || lit >= static_cast<int>(file.words.size())) {
            if (file.findings.empty()) {
                __builtin_trap();
            }
        }
        previous = lit;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::runAfterWarmUp(&runOnce, data, size);
    return 0;
}
