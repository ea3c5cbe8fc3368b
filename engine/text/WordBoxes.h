#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/text/TextLayout.h"

namespace lirava {

class FontFace;

// One word, or the part of it on one line, as a laid-out text shows it.
struct WordPiece {
    std::size_t word = 0;  // index among the text's words
    std::size_t line = 0;  // index in the layout's lines
    int x = 0;             // from the start of the line, in the layout's units
    int width = 0;
};

// The words of a text are its runs between ASCII white space, in order, punctuation attached.
std::vector<std::string> splitWords(const std::string& text);

// Where the words of text (valid UTF-8, as laid out) lie in layout: one piece per word and line
// (a word broken between characters has a piece on each of its lines). Lines that run right to
// left are measured from their right end. Words the layout left out have no piece.
std::vector<WordPiece> placeWords(const FontFace& face, const TextLayout& layout, const std::string& text);

}  // namespace lirava
