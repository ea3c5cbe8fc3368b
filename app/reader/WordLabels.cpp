#include "app/reader/WordLabels.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <set>
#include <string_view>

#include "engine/base/CCLog.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/text/WordBoxes.h"

namespace lirava::wordlabels {

namespace {

// A decimal number of seconds, nothing else: no sign, exponent, infinity or NaN.
bool parseSeconds(std::string_view text, double& out) {
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '.')) {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, out, std::chars_format::fixed);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(out);
}

// Quoted and cut short (between characters) for a log line or a report.
std::string quoted(const std::string& text) {
    if (text.size() <= 40) {
        return "\"" + text + "\"";
    }
    std::size_t cut = 40;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return "\"" + text.substr(0, cut) + "...\"";
}

}  // namespace

const char* faultCode(Fault fault) {
    switch (fault) {
        case Fault::LargeFile:
            return "large-labels";
        case Fault::Malformed:
            return "malformed-label";
        case Fault::Backwards:
            return "backward-label";
        case Fault::Overlapping:
            return "overlapping-label";
        case Fault::Mismatch:
            return "label-mismatch";
        case Fault::OutsideTrack:
            return "label-outside-track";
    }
    return "label";
}

std::string pathForTrack(const std::string& trackPath) {
    const std::size_t slash = trackPath.find_last_of('/');
    const std::size_t dot = trackPath.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return trackPath + ".txt";
    }
    return trackPath.substr(0, dot) + ".txt";
}

File parse(const std::string& bytes) {
    File file;
    if (bytes.size() > kLargestFile) {
        file.findings.push_back({Fault::LargeFile, 0, "over " + std::to_string(kLargestFile) + " bytes"});
        return file;
    }
    // Views into bytes: a page reads a file per sentence, so lines are not copied.
    std::string_view rest(bytes);
    if (rest.substr(0, 3) == "\xEF\xBB\xBF") {
        rest.remove_prefix(3);
    }
    int lineNumber = 0;
    while (!rest.empty()) {
        const std::size_t next = rest.find('\n');
        std::string_view line = rest.substr(0, next);
        rest.remove_prefix(next == std::string_view::npos ? rest.size() : next + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(" \t") == std::string_view::npos || line[0] == '\\') {
            continue;
        }
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos) {
            file.findings.push_back({Fault::Malformed, lineNumber, "not start, end and word between tabs"});
            continue;
        }
        Word word;
        word.line = lineNumber;
        const std::string_view text = line.substr(tab2 + 1);
        if (!parseSeconds(line.substr(0, tab1), word.start) ||
            !parseSeconds(line.substr(tab1 + 1, tab2 - tab1 - 1), word.end)) {
            file.findings.push_back({Fault::Malformed, lineNumber, "a time is not a decimal number of seconds"});
            continue;
        }
        if (text.empty() || text.find_first_of(" \t\n\r\f\v") != std::string_view::npos) {
            file.findings.push_back({Fault::Malformed, lineNumber, "not one word: " + quoted(std::string(text))});
            continue;
        }
        word.text.assign(text);
        const Word* previous = file.words.empty() ? nullptr : &file.words.back();
        if (word.end < word.start) {
            file.findings.push_back({Fault::Backwards, lineNumber, "ends before it starts"});
        } else if (previous && word.start < previous->start) {
            file.findings.push_back({Fault::Backwards, lineNumber, "starts before the word above"});
        } else if (previous && word.start < previous->end) {
            file.findings.push_back({Fault::Overlapping, lineNumber, "starts before the word above ends"});
        }
        file.words.push_back(std::move(word));
    }
    return file;
}

void matchCaption(File& file, const std::string& captionText) {
    const std::vector<std::string> caption = splitWords(captionText);
    for (std::size_t i = 0; i < file.words.size() && i < caption.size(); ++i) {
        if (file.words[i].text != caption[i]) {
            file.findings.push_back({Fault::Mismatch, file.words[i].line,
                                     quoted(file.words[i].text) + " where the caption has " + quoted(caption[i])});
            return;
        }
    }
    if (file.words.size() != caption.size()) {
        file.findings.push_back(
            {Fault::Mismatch, 0,
             std::to_string(file.words.size()) + " words for the caption's " + std::to_string(caption.size())});
    }
}

void checkTrackLength(File& file, double trackSeconds) {
    // Times are written to a millisecond; a label may end on the track's last sample.
    const double limit = trackSeconds + 0.001;
    for (const Word& word : file.words) {
        if (word.start > limit || word.end > limit) {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%.3f", trackSeconds);
            file.findings.push_back(
                {Fault::OutsideTrack, word.line, quoted(word.text) + " past the track's end at " + seconds + " s"});
            return;
        }
    }
}

std::vector<Word> load(const std::string& trackPath, const std::string& captionText) {
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const std::string path = files->fullPathForFilename(pathForTrack(trackPath).c_str());
    std::string bytes;
    if (!files->readFile(path, bytes, kLargestFile)) {
        return {};  // no labels: the sentence is read as a whole
    }
    File file = parse(bytes);
    if (file.findings.empty()) {
        matchCaption(file, captionText);
    }
    if (file.findings.empty()) {
        return std::move(file.words);
    }
    static std::set<std::string> logged;
    if (logged.insert(path).second) {
        const Finding& first = file.findings.front();
        const std::string where = first.line > 0 ? " line " + std::to_string(first.line) : std::string();
        CCLog("Word timings: %s%s: %s (%s); the caption is read by sentence", path.c_str(), where.c_str(),
              faultCode(first.fault), first.detail.c_str());
    }
    return {};
}

int litWordAt(const std::vector<Word>& words, double position) {
    int lit = -1;
    for (std::size_t i = 0; i < words.size() && words[i].start <= position; ++i) {
        lit = static_cast<int>(i);
    }
    return lit;
}

}  // namespace lirava::wordlabels
