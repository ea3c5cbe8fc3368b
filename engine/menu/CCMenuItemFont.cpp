#include "engine/menu/CCMenuItemFont.h"

#include "engine/text/CCLabelTTF.h"

namespace lirava {

namespace {
unsigned int g_fontSize = 32;
std::string g_fontName = "Arial";
}  // namespace

void CCMenuItemFont::setFontSize(unsigned int size) {
    g_fontSize = size;
}

unsigned int CCMenuItemFont::fontSize() {
    return g_fontSize;
}

void CCMenuItemFont::setFontName(const char* name) {
    g_fontName = name ? name : "";
}

const char* CCMenuItemFont::fontName() {
    return g_fontName.c_str();
}

CCMenuItemFont* CCMenuItemFont::create(const char* text) {
    return create(text, nullptr, nullptr);
}

CCMenuItemFont* CCMenuItemFont::create(const char* text, CCObject* target, SEL_MenuHandler selector) {
    CCMenuItemFont* item = new CCMenuItemFont();
    if (item->initWithString(text, target, selector)) {
        item->autorelease();
        return item;
    }
    delete item;
    return nullptr;
}

bool CCMenuItemFont::initWithString(const char* text, CCObject* target, SEL_MenuHandler selector) {
    // The defaults in force now are this item's for good.
    m_fontName = g_fontName;
    m_fontSize = g_fontSize;
    CCLabelTTF* label = CCLabelTTF::create(text ? text : "", m_fontName.c_str(), static_cast<float>(m_fontSize));
    return initWithLabel(label, target, selector);
}

void CCMenuItemFont::setFontSizeObj(unsigned int size) {
    m_fontSize = size;
    recreateLabel();
}

void CCMenuItemFont::setFontNameObj(const char* name) {
    m_fontName = name ? name : "";
    recreateLabel();
}

void CCMenuItemFont::recreateLabel() {
    CCLabelTTF* old = dynamic_cast<CCLabelTTF*>(getLabel());
    const std::string text = old ? old->getString() : "";
    CCLabelTTF* label = CCLabelTTF::create(text.c_str(), m_fontName.c_str(), static_cast<float>(m_fontSize));
    if (label) {
        if (old) {
            label->setColor(old->getColor());
        }
        setLabel(label);
    }
}

}  // namespace lirava
