#pragma once

#include <string>

#include "engine/menu/CCMenuItemLabel.h"

namespace lirava {

// A label item made from text in the process-wide default font. The defaults (32 points,
// "Arial") apply to items created after they are set; existing items keep their font.
class CCMenuItemFont : public CCMenuItemLabel {
public:
    static CCMenuItemFont* create(const char* text);
    static CCMenuItemFont* create(const char* text, CCObject* target, SEL_MenuHandler selector);
    bool initWithString(const char* text, CCObject* target, SEL_MenuHandler selector);

    static void setFontSize(unsigned int size);
    static unsigned int fontSize();
    static void setFontName(const char* name);
    static const char* fontName();

    // This item's own font.
    void setFontSizeObj(unsigned int size);
    unsigned int fontSizeObj() const { return m_fontSize; }
    void setFontNameObj(const char* name);
    const char* fontNameObj() const { return m_fontName.c_str(); }

private:
    void recreateLabel();

    unsigned int m_fontSize = 32;
    std::string m_fontName;
};

}  // namespace lirava
