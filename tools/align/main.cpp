#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "tools/align/Aligner.h"
#include "tools/align/AudioDecoder.h"
#include "tools/align/LabelFile.h"
#include "tools/align/TextWords.h"

namespace {

constexpr const char* kHelp =
    "usage: lirava-align AUDIO TEXT [-o LABELS]\n"
    "Times every word of an English recording: aligns AUDIO (WAV, MP3, OGG or FLAC) with TEXT,\n"
    "a UTF-8 file with the words as written, and writes a label file, one line a word:\n"
    "start<TAB>end<TAB>word, in seconds.\n"
    "\n"
    "  -o, --output LABELS   write the labels to LABELS (default: standard output)\n"
    "  --version             print the program's name and version, then exit\n"
    "  -h, --help            print this help, then exit\n"
    "\n"
    "Exit status: 0 when aligned, 1 when the recording cannot be aligned with the text,\n"
    "2 for bad arguments or unreadable files.\n";

constexpr int kAligned = 0;
constexpr int kNotAligned = 1;
constexpr int kBadInput = 2;

// A book's text for one recording is a page at most; a megabyte is no text for narration.
constexpr std::streamoff kMaxTextBytes = 1 << 20;

int usage(const std::string& message) {
    std::cerr << "lirava-align: " << message << "\n"
              << "usage: lirava-align AUDIO TEXT [-o LABELS]\n";
    return kBadInput;
}

bool validUtf8(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

bool readText(const std::string& path, std::string& text, std::string& error) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        error = path + ": not a text file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0);
    if (size < 0) {
        error = path + ": not a file that can be read";
        return false;
    }
    if (size > kMaxTextBytes) {
        error = path + ": " + std::to_string(size) + " bytes is too long for the text of one recording";
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    if (!validUtf8(text)) {
        error = path + ": not UTF-8 text";
        return false;
    }
    return true;
}

}  // namespace

// lirava-align AUDIO TEXT [-o LABELS]: forced alignment of a recording with its text.
int main(int argc, char** argv) {
    std::string audioPath;
    std::string textPath;
    std::string outputPath;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::fputs(kHelp, stdout);
            return kAligned;
        }
        if (argument == "--version") {
            std::printf("lirava-align %s\n", LIRAVA_VERSION);
            return kAligned;
        }
        if (argument == "-o" || argument == "--output") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                return usage(argument + " needs a file name");
            }
            outputPath = argv[++i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            return usage("unknown option " + argument);
        } else if (positional == 0) {
            audioPath = argument;
            ++positional;
        } else if (positional == 1) {
            textPath = argument;
            ++positional;
        } else {
            return usage("one recording and one text, please");
        }
    }
    if (positional < 2) {
        return usage("AUDIO and TEXT are both needed");
    }

    std::string error;
    std::string text;
    if (!readText(textPath, text, error)) {
        std::cerr << "lirava-align: " << error << "\n";
        return kBadInput;
    }
    const std::vector<std::string> words = lirava::align::TextWords::split(text);
    if (words.empty()) {
        std::cerr << "lirava-align: " << textPath << ": the text has no words\n";
        return kBadInput;
    }
    lirava::align::MonoAudio audio;
    if (!lirava::align::AudioDecoder().decode(audioPath, lirava::align::Aligner::kSampleRate, audio, error)) {
        std::cerr << "lirava-align: " << error << "\n";
        return kBadInput;
    }

    lirava::align::Aligner aligner;
    if (!aligner.ready()) {
        std::cerr << "lirava-align: " << aligner.error() << "\n";
        return kBadInput;
    }
    const lirava::align::AlignResult result = aligner.align(audio.samples, words);
    for (const std::string& made : result.madePronunciations) {
        std::cerr << "lirava-align: not in the dictionary, said as espeak-ng says it: " << made << "\n";
    }
    if (!result.aligned) {
        std::cerr << "lirava-align: " << audioPath << ": " << result.error << "\n";
        return kNotAligned;
    }
    if (outputPath.empty()) {
        lirava::align::LabelFile::write(std::cout, result.words);
        std::cout.flush();
        return std::cout ? kAligned : kBadInput;
    }
    if (!lirava::align::LabelFile::save(outputPath, result.words, error)) {
        std::cerr << "lirava-align: " << error << "\n";
        return kBadInput;
    }
    return kAligned;
}
