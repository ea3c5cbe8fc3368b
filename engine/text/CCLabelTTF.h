#pragma once

#include <string>
#include <vector>

#include "engine/base/ccTypes.h"
#include "engine/nodes/CCSprite.h"
#include "engine/text/CCLabelProtocol.h"
#include "engine/text/TextLayout.h"
#include "engine/text/WordBoxes.h"

namespace lirava {

// Text in a system font, drawn white and tinted by the node's colour.
//
// Font names: a name ending in ".ttf" is a font file among the resources; every other name
// ("Arial" and anything unknown) and a missing file give Liberation Sans. The size is in pixels
// (design units).
//
// Sizing by dimensions (w, h):
// - (0, 0): one line per "\n"-separated line, as wide as the widest; content size = text size.
// - (w, 0): words wrap inside w; content size = (w, text height), so the label grows downwards
//   with its text.
// - (w, h): words wrap inside w and the text is placed inside h by the vertical alignment;
//   content size = (w, h); text beyond it is cut off.
// Each line is placed by the horizontal alignment. The text height is the number of lines times
// the font's line height; an empty string has no lines, so its height is 0 and without
// dimensions its content size is (0, 0). Invalid UTF-8 is drawn with U+FFFD in place of the bad
// bytes; getString returns the text as it was given. Sizes are capped at Image::kMaxSide.
//
// Characters the font lacks come from installed fonts that have them; text in any script is
// shaped, and right-to-left text runs right to left (see ShapedFace). Lines break where the
// Unicode line-breaking rules allow (see layoutText).
//
// The text is measured at once (the content size is right straight after a setter), in design
// units at the design size, whatever the window. The pixels are drawn when the label is first
// drawn or its texture asked for, at the window's pixels per design unit, so the text stays
// sharp at any window size; they are drawn again when that scale changes.
class CCLabelTTF : public CCSprite, public CCLabelProtocol {
public:
    static const char* const kDefaultFontName;  // "Arial"
    static constexpr float kDefaultFontSize = 12.0f;

    static CCLabelTTF* create();
    static CCLabelTTF* create(const char* text, const char* fontName, float fontSize);
    static CCLabelTTF* create(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                              CCTextAlignment hAlignment);
    static CCLabelTTF* create(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                              CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment);

    CCLabelTTF();
    ~CCLabelTTF() override;

    bool init() override;
    bool initWithString(const char* text, const char* fontName, float fontSize);
    bool initWithString(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                        CCTextAlignment hAlignment);
    bool initWithString(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                        CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment);

    // A null text counts as empty.
    void setString(const char* text) override;
    const char* getString() override { return m_string.c_str(); }
    void setFontName(const char* fontName);
    const char* getFontName() const { return m_fontName.c_str(); }
    void setFontSize(float fontSize);
    float getFontSize() const { return m_fontSize; }
    // Negative values count as 0.
    void setDimensions(const CCSize& dimensions);
    const CCSize& getDimensions() const { return m_dimensions; }
    void setHorizontalAlignment(CCTextAlignment alignment);
    CCTextAlignment getHorizontalAlignment() const { return m_hAlignment; }
    void setVerticalAlignment(CCVerticalTextAlignment alignment);
    CCVerticalTextAlignment getVerticalAlignment() const { return m_vAlignment; }

    // The lines as laid out for the current settings.
    const TextLayout& getLayout() const { return m_layout; }
    // Characters of the shown lines that no installed font has: each is drawn as the font's
    // missing-glyph box.
    std::size_t getMissingGlyphCount() const;

    // --- one word lit (a caption that follows the voice)
    // Boxes of the shown text's words (see splitWords) in the label's own space (origin at its
    // bottom left, design units), one per word: the box on its first line for a word broken
    // over two, an empty rect for a word the layout left out.
    std::vector<CCRect> getWordBoxes();
    // Word index (-1: none) is drawn over the label in the lit colour with a bar beneath it,
    // from the same texture and layout, so lighting a word moves, wraps and resizes nothing.
    // A new text, font, size or width puts the light out.
    void setLitWord(int index);
    int getLitWord() const { return m_litWord; }
    void setLitColor(const ccColor3B& color) { m_litColor = color; }

    // The label's own texture, drawn first if the text or the output's pixel scale changed.
    CCTexture2D* getTexture() override;
    void draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) override;

protected:
    // The text being shown (a text field shows its placeholder through this).
    void setDisplayedString(const std::string& text);
    const std::string& displayedString() const { return m_shown; }

private:
    void updateLayout();
    void renderTexture(float scale);
    const std::vector<WordPiece>& wordPieces();
    CCRect pieceRect(const WordPiece& piece) const;
    void drawLitWord(Renderer& renderer, const CCAffineTransform& nodeToWorld);

    std::string m_string;
    std::string m_shown;
    std::string m_fontName;
    float m_fontSize = kDefaultFontSize;
    CCSize m_dimensions;
    CCTextAlignment m_hAlignment = kCCTextAlignmentLeft;
    CCVerticalTextAlignment m_vAlignment = kCCVerticalTextAlignmentTop;
    TextLayout m_layout;
    int m_textureWidth = 0;
    int m_textureHeight = 0;
    int m_textTop = 0;
    int m_lineHeight = 0;
    float m_textureScale = 1.0f;
    bool m_textureDirty = false;
    std::vector<WordPiece> m_wordPieces;
    bool m_wordPiecesDirty = true;
    int m_litWord = -1;
    ccColor3B m_litColor = {200, 40, 20};
};

}  // namespace lirava
