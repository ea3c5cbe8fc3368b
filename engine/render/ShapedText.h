#pragma once

#include <cstddef>
#include <string>

#include "engine/render/FontRasterizer.h"

namespace lirava {

// Lines of text in a label's font at one pixel size, in every script the installed fonts cover.
//
// Each character the font lacks comes from the installed font that the system's font matcher
// prefers for it (the matcher starts only when such a character turns up); the line is cut into
// runs of one font, one script and one direction, each shaped by HarfBuzz for its script (Arabic
// letters join, Devanagari conjuncts form, Thai marks stack); runs follow the Unicode
// bidirectional order, right-to-left ones drawn right to left; every run sits on the font's
// baseline (lineBox() says how much room that takes). A line that the font covers and that runs left to right is
// measured and drawn by the font alone, exactly as the font's own face does it.
//
// Characters that no installed font has are drawn by the label's font as its missing-glyph box,
// as are characters needing more than FontRasterizer::kMaxFallbackFaces fonts besides it in
// one line. Made for one layout or one drawing: it asks the shared rasterizer for faces as it
// goes and keeps none.
class ShapedFace : public FontFace {
public:
    ShapedFace(std::string fontFile, int pixelSize);

    // False when the label's font cannot be opened: nothing is measured or drawn then.
    bool isOpen() const { return m_lineHeight > 0; }

    int lineHeight() const override { return m_lineHeight; }
    int textWidth(const std::string& utf8) const override;
    // Cuts between clusters, never between a letter and its marks.
    std::size_t fittingPrefix(const std::string& utf8, int maxWidth) const override;
    // A line whose direction follows from its own first strong character.
    void drawText(const std::string& utf8, Image& target, int x, int y) const override;
    // A line of a paragraph that runs right to left or left to right.
    void drawLine(const std::string& utf8, bool rightToLeft, Image& target, int x, int y) const;

    // Room for a line of the text: from its top to the baseline, and to the next line's top. The
    // label's font's own for text it sets alone; where taller fonts fill in (Devanagari vowel
    // signs and Thai tone marks reach higher than Latin capitals), enough for them too.
    struct LineBox {
        int ascent = 0;
        int height = 0;
    };
    LineBox lineBox(const std::string& utf8) const;
    // The label's font's own distance from a line's top to its baseline.
    int ascent() const { return m_ascent; }

    // Characters of the text that are drawn with no font that has them (invisible ones, such as
    // spaces and joiners, never count), and the first of them (0 when there is none).
    struct Coverage {
        std::size_t missing = 0;
        char32_t firstMissing = 0;
    };
    Coverage coverage(const std::string& utf8) const;

private:
    // The text that the label's font can set on its own: nothing to find, shape or reorder.
    bool isPlain(const std::string& utf8, const ShapingFace& own) const;

    std::string m_fontFile;
    int m_pixelSize;
    int m_lineHeight = 0;
    int m_ascent = 0;
};

}  // namespace lirava
