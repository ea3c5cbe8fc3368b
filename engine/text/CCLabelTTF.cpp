#include "engine/text/CCLabelTTF.h"

#include <algorithm>
#include <cmath>

#include "engine/platform/CCEGLView.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/FontRasterizer.h"
#include "engine/render/Image.h"
#include "engine/render/Renderer.h"
#include "engine/render/ShapedText.h"
#include "engine/text/SafeText.h"

namespace lirava {

const char* const CCLabelTTF::kDefaultFontName = "Arial";

namespace {

int pixelSize(float fontSize) {
    if (!(fontSize > 0.0f)) {
        return 1;
    }
    return static_cast<int>(std::lround(std::min(fontSize, static_cast<float>(FontRasterizer::kMaxPixelSize))));
}

float clampSide(float value) {
    if (!(value > 0.0f)) {
        return 0.0f;
    }
    return std::min(value, static_cast<float>(Image::kMaxSide));
}

// Window pixels per design unit: the text is drawn for the pixels it is shown at.
float outputScale() {
    const float scale = CCEGLView::sharedOpenGLView()->getPixelsPerDesignUnit();
    return std::isfinite(scale) && scale > 0.0f ? scale : 1.0f;
}

}  // namespace

CCLabelTTF* CCLabelTTF::create() {
    CCLabelTTF* label = new CCLabelTTF();
    label->init();
    label->autorelease();
    return label;
}

CCLabelTTF* CCLabelTTF::create(const char* text, const char* fontName, float fontSize) {
    return create(text, fontName, fontSize, CCSizeZero, kCCTextAlignmentCenter, kCCVerticalTextAlignmentTop);
}

CCLabelTTF* CCLabelTTF::create(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                               CCTextAlignment hAlignment) {
    return create(text, fontName, fontSize, dimensions, hAlignment, kCCVerticalTextAlignmentTop);
}

CCLabelTTF* CCLabelTTF::create(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                               CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment) {
    CCLabelTTF* label = new CCLabelTTF();
    label->initWithString(text, fontName, fontSize, dimensions, hAlignment, vAlignment);
    label->autorelease();
    return label;
}

CCLabelTTF::CCLabelTTF() : m_fontName(kDefaultFontName) {}

CCLabelTTF::~CCLabelTTF() = default;

bool CCLabelTTF::init() {
    return initWithString("", kDefaultFontName, kDefaultFontSize);
}

bool CCLabelTTF::initWithString(const char* text, const char* fontName, float fontSize) {
    return initWithString(text, fontName, fontSize, CCSizeZero, kCCTextAlignmentLeft, kCCVerticalTextAlignmentTop);
}

bool CCLabelTTF::initWithString(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                                CCTextAlignment hAlignment) {
    return initWithString(text, fontName, fontSize, dimensions, hAlignment, kCCVerticalTextAlignmentTop);
}

bool CCLabelTTF::initWithString(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                                CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment) {
    CCSprite::init();
    m_fontName = fontName ? fontName : kDefaultFontName;
    m_fontSize = fontSize;
    m_dimensions = CCSize(clampSide(dimensions.width), clampSide(dimensions.height));
    m_hAlignment = hAlignment;
    m_vAlignment = vAlignment;
    m_string = text ? text : "";
    setDisplayedString(m_string);
    return true;
}

void CCLabelTTF::setString(const char* text) {
    const char* value = text ? text : "";
    if (m_string == value && m_shown == m_string) {
        return;
    }
    m_string = value;
    setDisplayedString(m_string);
}

void CCLabelTTF::setDisplayedString(const std::string& text) {
    m_shown = text;
    updateLayout();
}

void CCLabelTTF::setFontName(const char* fontName) {
    const std::string name = fontName ? fontName : kDefaultFontName;
    if (name != m_fontName) {
        m_fontName = name;
        updateLayout();
    }
}

void CCLabelTTF::setFontSize(float fontSize) {
    if (fontSize != m_fontSize) {
        m_fontSize = fontSize;
        updateLayout();
    }
}

void CCLabelTTF::setDimensions(const CCSize& dimensions) {
    const CCSize clamped(clampSide(dimensions.width), clampSide(dimensions.height));
    if (!clamped.equals(m_dimensions)) {
        m_dimensions = clamped;
        updateLayout();
    }
}

void CCLabelTTF::setHorizontalAlignment(CCTextAlignment alignment) {
    if (alignment != m_hAlignment) {
        m_hAlignment = alignment;
        m_textureDirty = true;
    }
}

void CCLabelTTF::setVerticalAlignment(CCVerticalTextAlignment alignment) {
    if (alignment != m_vAlignment) {
        m_vAlignment = alignment;
        updateLayout();
    }
}

void CCLabelTTF::updateLayout() {
    const ShapedFace face(FontRasterizer::fontFileForName(m_fontName), pixelSize(m_fontSize));
    const int wrapWidth = static_cast<int>(std::ceil(m_dimensions.width));
    m_layout = face.isOpen() ? layoutText(face, m_shown, wrapWidth) : TextLayout();
    // Lines set in taller fonts than the label's get the room those need, all lines alike.
    m_lineHeight = face.lineHeight();
    for (const TextLayout::Line& line : m_layout.lines) {
        m_lineHeight = std::max(m_lineHeight, face.lineBox(line.text).height);
    }
    m_layout.height = static_cast<int>(m_layout.lines.size()) * m_lineHeight;

    const float width = m_dimensions.width > 0.0f ? m_dimensions.width : clampSide(static_cast<float>(m_layout.width));
    const float height =
        m_dimensions.height > 0.0f ? m_dimensions.height : clampSide(static_cast<float>(m_layout.height));
    m_textureWidth = static_cast<int>(std::ceil(width));
    m_textureHeight = static_cast<int>(std::ceil(height));
    m_textTop = 0;
    if (m_dimensions.height > 0.0f) {
        const float room = height - static_cast<float>(m_layout.height);
        if (m_vAlignment == kCCVerticalTextAlignmentCenter) {
            m_textTop = static_cast<int>(std::floor(room * 0.5f));
        } else if (m_vAlignment == kCCVerticalTextAlignmentBottom) {
            m_textTop = static_cast<int>(std::floor(room));
        }
    }
    m_wordPiecesDirty = true;
    m_litWord = -1;
    // The old pixels no longer match; the new ones are drawn when first needed.
    setTexture(nullptr);
    setTextureRect(CCRect(0.0f, 0.0f, width, height), false, CCSize(width, height));
    m_textureDirty = true;
}

std::size_t CCLabelTTF::getMissingGlyphCount() const {
    const ShapedFace face(FontRasterizer::fontFileForName(m_fontName), pixelSize(m_fontSize));
    std::size_t missing = 0;
    for (const TextLayout::Line& line : m_layout.lines) {
        missing += face.coverage(line.text).missing;
    }
    return missing;
}

void CCLabelTTF::renderTexture(float scale) {
    // No side may pass the largest texture, whatever the scale.
    const float largest = std::max(m_contentSize.width, m_contentSize.height);
    if (largest * scale > static_cast<float>(Image::kMaxSide)) {
        scale = static_cast<float>(Image::kMaxSide) / largest;
    }
    if (!m_textureDirty && scale == m_textureScale) {
        return;
    }
    m_textureDirty = false;
    m_textureScale = scale;
    setTexture(nullptr);
    if (m_textureWidth <= 0 || m_textureHeight <= 0) {
        return;
    }
    // Laid out in design units at the design size; drawn at the output's pixel size. At a scale
    // of 1 both are the same face and every position is the one the layout gave.
    const ShapedFace face(FontRasterizer::fontFileForName(m_fontName), pixelSize(m_fontSize * scale));
    if (!face.isOpen()) {
        return;
    }
    const int pixelWidth = scale == 1.0f ? m_textureWidth : static_cast<int>(std::ceil(m_contentSize.width * scale));
    const int pixelHeight = scale == 1.0f ? m_textureHeight : static_cast<int>(std::ceil(m_contentSize.height * scale));
    Image image(std::max(1, pixelWidth), std::max(1, pixelHeight));
    const float boxWidth = m_contentSize.width * scale;
    // Every line's baseline sits as low as the tallest font in any line needs.
    int baseline = face.ascent();
    for (const TextLayout::Line& line : m_layout.lines) {
        baseline = std::max(baseline, face.lineBox(line.text).ascent);
    }
    const int drop = baseline - face.ascent();
    for (std::size_t i = 0; i < m_layout.lines.size(); ++i) {
        const TextLayout::Line& line = m_layout.lines[i];
        const int top = m_textTop + static_cast<int>(i) * m_lineHeight;
        const int y = scale == 1.0f ? top : static_cast<int>(std::lround(static_cast<float>(top) * scale));
        if (y >= image.height()) {
            break;
        }
        const int width = scale == 1.0f ? line.width : face.textWidth(line.text);
        float x = 0.0f;
        if (m_hAlignment == kCCTextAlignmentCenter) {
            x = (boxWidth - static_cast<float>(width)) * 0.5f;
        } else if (m_hAlignment == kCCTextAlignmentRight) {
            x = boxWidth - static_cast<float>(width);
        }
        if (y + drop + face.lineHeight() > 0) {
            face.drawLine(line.text, line.rightToLeft, image, static_cast<int>(std::floor(x)), y + drop);
        }
    }
    CCTexture2D* texture = new CCTexture2D();
    texture->initWithImage(std::move(image), scale);
    setTexture(texture);
    texture->release();
}

CCTexture2D* CCLabelTTF::getTexture() {
    renderTexture(outputScale());
    return CCSprite::getTexture();
}

void CCLabelTTF::draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) {
    renderTexture(outputScale());
    CCSprite::draw(renderer, nodeToWorld);
    if (m_litWord >= 0) {
        drawLitWord(renderer, nodeToWorld);
    }
}

const std::vector<WordPiece>& CCLabelTTF::wordPieces() {
    if (m_wordPiecesDirty) {
        m_wordPiecesDirty = false;
        const ShapedFace face(FontRasterizer::fontFileForName(m_fontName), pixelSize(m_fontSize));
        m_wordPieces = face.isOpen() ? placeWords(face, m_layout, text::safeForLayout(m_shown)) : std::vector<WordPiece>();
    }
    return m_wordPieces;
}

CCRect CCLabelTTF::pieceRect(const WordPiece& piece) const {
    const TextLayout::Line& line = m_layout.lines[piece.line];
    // Placed as renderTexture places the line, at the design scale.
    float x = 0.0f;
    if (m_hAlignment == kCCTextAlignmentCenter) {
        x = std::floor((m_contentSize.width - static_cast<float>(line.width)) * 0.5f);
    } else if (m_hAlignment == kCCTextAlignmentRight) {
        x = std::floor(m_contentSize.width - static_cast<float>(line.width));
    }
    const float top = static_cast<float>(m_textTop + static_cast<int>(piece.line) * m_lineHeight);
    return CCRect(x + static_cast<float>(piece.x), m_contentSize.height - top - static_cast<float>(m_lineHeight),
                  static_cast<float>(piece.width), static_cast<float>(m_lineHeight));
}

std::vector<CCRect> CCLabelTTF::getWordBoxes() {
    std::vector<CCRect> boxes(splitWords(text::safeForLayout(m_shown)).size(), CCRectZero);
    std::vector<bool> placed(boxes.size(), false);
    for (const WordPiece& piece : wordPieces()) {
        if (piece.word < boxes.size() && !placed[piece.word]) {
            boxes[piece.word] = pieceRect(piece);
            placed[piece.word] = true;
        }
    }
    return boxes;
}

void CCLabelTTF::setLitWord(int index) {
    m_litWord = index >= 0 ? index : -1;
}

void CCLabelTTF::drawLitWord(Renderer& renderer, const CCAffineTransform& nodeToWorld) {
    CCTexture2D* texture = CCSprite::getTexture();
    const float width = m_contentSize.width;
    const float height = m_contentSize.height;
    if (!texture || !(width > 0.0f) || !(height > 0.0f)) {
        return;
    }
    const TextureId id = texture->textureIdFor(renderer);
    const ccColor4B color = {m_litColor.r, m_litColor.g, m_litColor.b, getDisplayedOpacity()};
    // A bar under the word as well as its colour: the word stands out for any eye.
    const float bar = std::max(1.5f, m_fontSize / 12.0f);
    const auto corner = [&](float x, float y, float u, float v) {
        const CCPoint world = CCPointApplyAffineTransform(CCPoint(x, y), nodeToWorld);
        return Vertex{world.x, world.y, color, u, v};
    };
    for (const WordPiece& piece : wordPieces()) {
        if (piece.word != static_cast<std::size_t>(m_litWord)) {
            continue;
        }
        const CCRect r = pieceRect(piece);
        const float x1 = r.origin.x;
        const float x2 = r.origin.x + r.size.width;
        const float y1 = r.origin.y;
        const float y2 = r.origin.y + r.size.height;
        // The same glyphs again, from the same texels, in the lit colour.
        const Vertex glyphs[4] = {
            corner(x1, y1, x1 / width, 1.0f - y1 / height), corner(x2, y1, x2 / width, 1.0f - y1 / height),
            corner(x1, y2, x1 / width, 1.0f - y2 / height), corner(x2, y2, x2 / width, 1.0f - y2 / height)};
        if (id != 0) {
            renderer.drawQuad(id, glyphs);
        }
        const Vertex underline[4] = {corner(x1, y1, 0, 0), corner(x2, y1, 0, 0), corner(x1, y1 + bar, 0, 0),
                                     corner(x2, y1 + bar, 0, 0)};
        renderer.drawQuad(0, underline);
    }
}

}  // namespace lirava
