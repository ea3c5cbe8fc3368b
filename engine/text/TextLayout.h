#pragma once

#include <string>
#include <vector>

namespace lirava {

class FontFace;

// Lines of a label's text as they will be drawn.
struct TextLayout {
    struct Line {
        std::string text;
        int width = 0;
        // The line belongs to a paragraph that runs right to left (its first strong character
        // does): the order of its mixed-direction text follows from that.
        bool rightToLeft = false;
    };
    std::vector<Line> lines;
    int width = 0;   // widest line
    int height = 0;  // lines x line height
};

// Breaks any bytes into lines, once text::safeForLayout has made them safe: at every "\n" ("\r\n"
// counts as one break), and, when maxWidth is above 0, where the Unicode line-breaking rules allow (after spaces, between
// Chinese characters, never before closing punctuation) so that no line is wider than maxWidth.
// A word wider than maxWidth on its own is broken between characters (a character keeps its
// marks); every line holds at least one character, so the layout always ends. Spaces at a wrapped line break are
// dropped. Empty text has no lines. Lines past what the largest texture could show (Image::kMaxSide pixels) are left
// out.
TextLayout layoutText(const FontFace& face, const std::string& bytes, int maxWidth);

}  // namespace lirava
