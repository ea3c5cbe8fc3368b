#pragma once

#include <memory>
#include <string>

#include "engine/base/ccTypes.h"
#include "engine/nodes/CCSpriteBatchNode.h"
#include "engine/nodes/RGBANode.h"
#include "engine/text/CCLabelProtocol.h"

namespace lirava {

class CCBMFontConfiguration;

// Width value meaning "no wrapping".
constexpr float kCCLabelAutomaticWidth = -1.0f;

// Text drawn from a bitmap font (.fnt, see CCBMFontConfiguration): one sprite per character,
// children of this batch node tagged by character index, so the text draws in one call.
//
// Layout: lines at every "\n" and, when width is above 0, between words so that lines fit in
// width (a word too wide on its own is broken between characters). Each line is placed by the
// alignment inside the content width. Content size = (width when above 0, else the widest line;
// lines x the font's line height). Characters the font does not have are skipped, and so are
// characters past the first 16384 (each is a sprite). Colour and opacity always cascade to the
// character sprites.
class CCLabelBMFont : public RGBANode<CCSpriteBatchNode>, public CCLabelProtocol {
public:
    static CCLabelBMFont* create();
    // Null when the font or its page image cannot be read.
    static CCLabelBMFont* create(const char* text, const char* fntFile);
    static CCLabelBMFont* create(const char* text, const char* fntFile, float width,
                                 CCTextAlignment alignment = kCCTextAlignmentLeft,
                                 const CCPoint& imageOffset = CCPointZero);

    CCLabelBMFont();
    ~CCLabelBMFont() override;

    bool init() override;
    bool initWithString(const char* text, const char* fntFile, float width = kCCLabelAutomaticWidth,
                        CCTextAlignment alignment = kCCTextAlignmentLeft, const CCPoint& imageOffset = CCPointZero);

    void setString(const char* text) override;
    const char* getString() override { return m_string.c_str(); }
    void setAlignment(CCTextAlignment alignment);
    CCTextAlignment getAlignment() const { return m_alignment; }
    void setWidth(float width);
    float getWidth() const { return m_width; }
    const std::string& getFntFile() const { return m_fntFile; }

    void setOpacityModifyRGB(bool value) override { m_opacityModifyRGB = value; }
    bool isOpacityModifyRGB() override { return m_opacityModifyRGB; }

private:
    void createFontChars();

    std::string m_string;
    std::string m_fntFile;
    std::shared_ptr<CCBMFontConfiguration> m_configuration;
    float m_width = kCCLabelAutomaticWidth;
    CCTextAlignment m_alignment = kCCTextAlignmentLeft;
    CCPoint m_imageOffset;
    bool m_opacityModifyRGB = false;
};

}  // namespace lirava
