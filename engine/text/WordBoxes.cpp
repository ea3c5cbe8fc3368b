#include "engine/text/WordBoxes.h"

#include "engine/render/FontRasterizer.h"

namespace lirava {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

struct Run {
    std::size_t begin;
    std::size_t end;
};

std::vector<Run> runs(const std::string& text) {
    std::vector<Run> out;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSpace(text[i])) {
            ++i;
        }
        const std::size_t begin = i;
        while (i < text.size() && !isSpace(text[i])) {
            ++i;
        }
        if (i > begin) {
            out.push_back({begin, i});
        }
    }
    return out;
}

}  // namespace

std::vector<std::string> splitWords(const std::string& text) {
    std::vector<std::string> words;
    for (const Run& run : runs(text)) {
        words.push_back(text.substr(run.begin, run.end - run.begin));
    }
    return words;
}

std::vector<WordPiece> placeWords(const FontFace& face, const TextLayout& layout, const std::string& text) {
    const std::vector<std::string> words = splitWords(text);
    std::vector<WordPiece> pieces;
    std::size_t word = 0;
    std::size_t consumed = 0;  // bytes of words[word] already found on earlier lines
    for (std::size_t line = 0; line < layout.lines.size() && word < words.size(); ++line) {
        const std::string& lineText = layout.lines[line].text;
        for (const Run& run : runs(lineText)) {
            if (word >= words.size()) {
                break;
            }
            const std::size_t length = run.end - run.begin;
            // The layout only drops spaces and breaks between characters, so every run is the
            // next word or the next part of it; anything else means the two texts differ.
            if (words[word].compare(consumed, length, lineText, run.begin, length) != 0) {
                return pieces;
            }
            WordPiece piece;
            piece.word = word;
            piece.line = line;
            piece.x = face.textWidth(lineText.substr(0, run.begin));
            piece.width = face.textWidth(lineText.substr(run.begin, length));
            if (layout.lines[line].rightToLeft) {
                piece.x = layout.lines[line].width - piece.x - piece.width;
            }
            pieces.push_back(piece);
            consumed += length;
            if (consumed >= words[word].size()) {
                ++word;
                consumed = 0;
            }
        }
    }
    return pieces;
}

}  // namespace lirava
