#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lirava {

// Word timings of a narration track, in the label-track format that audio editors import: a
// UTF-8 text file beside the track with the track's name and ".txt" in place of ".mp3", one
// line a word, "start<TAB>end<TAB>word", times in seconds as decimal numbers on the track's own
// clock, words in the order spoken and as the caption writes them (punctuation attached).
// Blank lines and lines that start with a backslash (the frequency lines an editor may add
// under a label) are skipped; "\r\n" line ends and a byte-order mark are accepted.
namespace wordlabels {

struct Word {
    double start = 0.0;
    double end = 0.0;
    std::string text;
    int line = 0;  // 1-based, in the file
};

// Codes as lirava-check reports them.
enum class Fault {
    LargeFile,    // "large-labels": over kLargestFile bytes
    Malformed,    // "malformed-label": a line that does not parse
    Backwards,    // "backward-label": an end before its start, or a start before the one above
    Overlapping,  // "overlapping-label": a start before the end of the word above
    Mismatch,     // "label-mismatch": the words are not the caption's words
    OutsideTrack  // "label-outside-track": a time past the end of the track
};

struct Finding {
    Fault fault;
    int line;  // 0 when the finding is about the whole file
    std::string detail;
};

struct File {
    std::vector<Word> words;
    std::vector<Finding> findings;  // in file order; empty for a sound file
};

// More than any caption needs (a caption is at most 1,599 bytes): a bigger file is not read.
constexpr std::size_t kLargestFile = 64 * 1024;

const char* faultCode(Fault fault);

// The label file of a track path: "epc/ab12.mp3" -> "epc/ab12.txt".
std::string pathForTrack(const std::string& trackPath);

// Every fault of the file's own (format, order, size), each line parsed on its own.
File parse(const std::string& bytes);
// Adds a Mismatch finding when the words are not captionText's words (see splitWords), naming
// the first that differs.
void matchCaption(File& file, const std::string& captionText);
// Adds an OutsideTrack finding for the first time past trackSeconds.
void checkTrackLength(File& file, double trackSeconds);

// The words of trackPath's label file when it is there and sound for captionText, else none.
// A file that is there but faulty is logged, once per run and file, with its first finding.
// Read through the engine's file utilities, so a book in any container works alike.
std::vector<Word> load(const std::string& trackPath, const std::string& captionText);

// The word lit at position seconds into the track: the last one started by then (it stays lit
// between words), -1 before the first.
int litWordAt(const std::vector<Word>& words, double position);

}  // namespace wordlabels
}  // namespace lirava
