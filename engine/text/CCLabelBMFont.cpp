#include "engine/text/CCLabelBMFont.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/base/CCLog.h"
#include "engine/nodes/CCSprite.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"
#include "engine/text/CCBMFontConfiguration.h"
#include "engine/text/Utf8.h"

namespace lirava {

namespace {

// Characters past this many are not drawn: each is a sprite, and no label needs more.
constexpr std::size_t kMaxCharacters = 16384;

struct Pen {
    float x = 0.0f;      // advance so far
    float right = 0.0f;  // right edge of the last glyph drawn
    char32_t previous = 0;
    float width() const { return std::max(x, right); }
};

void advance(const CCBMFontConfiguration& font, Pen& pen, char32_t c) {
    const CCBMFontConfiguration::Glyph* glyph = font.glyph(c);
    if (!glyph) {
        return;
    }
    if (pen.previous) {
        pen.x += static_cast<float>(font.kerning(pen.previous, c));
    }
    pen.right = std::max(pen.right, pen.x + static_cast<float>(glyph->xOffset) + glyph->rect.size.width);
    pen.x += static_cast<float>(glyph->xAdvance);
    pen.previous = c;
}

float measure(const CCBMFontConfiguration& font, const std::vector<char32_t>& line) {
    Pen pen;
    for (char32_t c : line) {
        advance(font, pen, c);
    }
    return pen.width();
}

// Lines at "\n", wrapped inside width when it is above 0 (at the last space when there is one,
// else before the character that overflows).
std::vector<std::vector<char32_t>> breakLines(const CCBMFontConfiguration& font, const std::vector<char32_t>& text,
                                              float width) {
    std::vector<std::vector<char32_t>> lines(1);
    Pen pen;
    for (char32_t c : text) {
        std::vector<char32_t>& line = lines.back();
        if (c == '\n') {
            lines.emplace_back();
            pen = Pen();
            continue;
        }
        line.push_back(c);
        advance(font, pen, c);
        if (width <= 0.0f || pen.width() <= width || line.size() < 2) {
            continue;
        }
        std::vector<char32_t> rest;
        if (c == ' ') {
            line.pop_back();
        } else {
            const auto space = std::find(line.rbegin() + 1, line.rend(), U' ');
            if (space != line.rend()) {
                const auto cut = space.base();  // just after the space
                rest.assign(cut, line.end());
                line.erase(cut - 1, line.end());
            } else {
                rest.push_back(c);
                line.pop_back();
            }
        }
        lines.push_back(std::move(rest));
        pen = Pen();
        for (char32_t kept : lines.back()) {
            advance(font, pen, kept);
        }
    }
    return lines;
}

}  // namespace

CCLabelBMFont* CCLabelBMFont::create() {
    CCLabelBMFont* label = new CCLabelBMFont();
    label->init();
    label->autorelease();
    return label;
}

CCLabelBMFont* CCLabelBMFont::create(const char* text, const char* fntFile) {
    return create(text, fntFile, kCCLabelAutomaticWidth, kCCTextAlignmentLeft, CCPointZero);
}

CCLabelBMFont* CCLabelBMFont::create(const char* text, const char* fntFile, float width, CCTextAlignment alignment,
                                     const CCPoint& imageOffset) {
    CCLabelBMFont* label = new CCLabelBMFont();
    if (label->initWithString(text, fntFile, width, alignment, imageOffset)) {
        label->autorelease();
        return label;
    }
    label->release();
    return nullptr;
}

CCLabelBMFont::CCLabelBMFont() {
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_cascadeColorEnabled = true;
    m_cascadeOpacityEnabled = true;
}

CCLabelBMFont::~CCLabelBMFont() = default;

bool CCLabelBMFont::init() {
    removeAllChildrenWithCleanup(true);
    initWithTexture(nullptr, 0);
    m_configuration.reset();
    m_fntFile.clear();
    m_string.clear();
    m_width = kCCLabelAutomaticWidth;
    m_alignment = kCCTextAlignmentLeft;
    m_imageOffset = CCPointZero;
    setContentSize(CCSizeZero);
    return true;
}

bool CCLabelBMFont::initWithString(const char* text, const char* fntFile, float width, CCTextAlignment alignment,
                                   const CCPoint& imageOffset) {
    init();
    if (!fntFile || !*fntFile) {
        m_string = text ? text : "";
        return true;  // a label without a font: it keeps its text and draws nothing
    }
    std::shared_ptr<CCBMFontConfiguration> configuration = CCBMFontConfiguration::load(fntFile);
    if (!configuration) {
        CCLog("bitmap font: cannot read %s", fntFile);
        return false;
    }
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(configuration->getAtlasName().c_str());
    if (!texture) {
        return false;
    }
    initWithTexture(texture, static_cast<unsigned int>(text ? std::char_traits<char>::length(text) : 0));
    m_configuration = configuration;
    m_fntFile = fntFile;
    m_width = width;
    m_alignment = alignment;
    m_imageOffset = imageOffset;
    setString(text);
    return true;
}

void CCLabelBMFont::setString(const char* text) {
    m_string = text ? text : "";
    createFontChars();
}

void CCLabelBMFont::setAlignment(CCTextAlignment alignment) {
    if (alignment != m_alignment) {
        m_alignment = alignment;
        createFontChars();
    }
}

void CCLabelBMFont::setWidth(float width) {
    if (width != m_width) {
        m_width = width;
        createFontChars();
    }
}

void CCLabelBMFont::createFontChars() {
    removeAllChildrenWithCleanup(true);
    CCTexture2D* texture = getTexture();
    if (!m_configuration || !texture) {
        setContentSize(CCSizeZero);
        return;
    }
    const CCBMFontConfiguration& font = *m_configuration;
    std::vector<char32_t> text = utf8::decode(m_string);
    if (text.size() > kMaxCharacters) {
        text.resize(kMaxCharacters);
    }
    const float wrapWidth = std::isfinite(m_width) && m_width > 0.0f ? m_width : 0.0f;
    const std::vector<std::vector<char32_t>> lines =
        text.empty() ? std::vector<std::vector<char32_t>>() : breakLines(font, text, wrapWidth);
    float widest = 0.0f;
    std::vector<float> lineWidths;
    for (const auto& line : lines) {
        lineWidths.push_back(measure(font, line));
        widest = std::max(widest, lineWidths.back());
    }
    const float lineHeight = static_cast<float>(font.getCommonHeight());
    const float contentWidth = wrapWidth > 0.0f ? wrapWidth : widest;
    const float contentHeight = lineHeight * static_cast<float>(lines.size());
    setContentSize(CCSize(contentWidth, contentHeight));

    const float textureWidth = static_cast<float>(texture->getPixelsWide());
    const float textureHeight = static_cast<float>(texture->getPixelsHigh());
    int tag = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        float shift = 0.0f;
        if (m_alignment == kCCTextAlignmentCenter) {
            shift = (contentWidth - lineWidths[i]) * 0.5f;
        } else if (m_alignment == kCCTextAlignmentRight) {
            shift = contentWidth - lineWidths[i];
        }
        const float lineTop = contentHeight - lineHeight * static_cast<float>(i);
        Pen pen;
        for (char32_t c : lines[i]) {
            const CCBMFontConfiguration::Glyph* glyph = font.glyph(c);
            const int index = tag++;
            if (!glyph) {
                continue;
            }
            if (pen.previous) {
                pen.x += static_cast<float>(font.kerning(pen.previous, c));
            }
            const float x = pen.x + static_cast<float>(glyph->xOffset);
            pen.x += static_cast<float>(glyph->xAdvance);
            pen.previous = c;
            CCRect rect = glyph->rect;
            rect.origin = rect.origin + m_imageOffset;
            if (!(rect.size.width > 0.0f) || !(rect.size.height > 0.0f) || rect.origin.x < 0.0f ||
                rect.origin.y < 0.0f || rect.getMaxX() > textureWidth || rect.getMaxY() > textureHeight) {
                continue;  // nothing to draw (a space) or not inside the page image
            }
            CCSprite* sprite = CCSprite::createWithTexture(texture, rect);
            sprite->setPosition(CCPoint(shift + x + rect.size.width * 0.5f,
                                        lineTop - static_cast<float>(glyph->yOffset) - rect.size.height * 0.5f));
            addChild(sprite, 0, index);
        }
        ++tag;  // the line break
    }
}

}  // namespace lirava
