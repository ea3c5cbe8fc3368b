#include "engine/text/CCTextFieldTTF.h"

#include <cstring>

#include "engine/text/Utf8.h"

namespace lirava {

CCTextFieldTTF* CCTextFieldTTF::textFieldWithPlaceHolder(const char* placeholder, const CCSize& dimensions,
                                                         CCTextAlignment alignment, const char* fontName,
                                                         float fontSize) {
    CCTextFieldTTF* field = new CCTextFieldTTF();
    if (field->initWithPlaceHolder(placeholder, dimensions, alignment, fontName, fontSize)) {
        field->autorelease();
        return field;
    }
    field->release();
    return nullptr;
}

CCTextFieldTTF* CCTextFieldTTF::textFieldWithPlaceHolder(const char* placeholder, const char* fontName,
                                                         float fontSize) {
    CCTextFieldTTF* field = new CCTextFieldTTF();
    if (field->initWithPlaceHolder(placeholder, fontName, fontSize)) {
        field->autorelease();
        return field;
    }
    field->release();
    return nullptr;
}

CCTextFieldTTF::CCTextFieldTTF() = default;

CCTextFieldTTF::~CCTextFieldTTF() = default;

bool CCTextFieldTTF::initWithPlaceHolder(const char* placeholder, const CCSize& dimensions, CCTextAlignment alignment,
                                         const char* fontName, float fontSize) {
    m_placeHolder = placeholder ? placeholder : "";
    m_inputText.clear();
    m_charCount = 0;
    return initWithString(m_placeHolder.c_str(), fontName, fontSize, dimensions, alignment,
                          kCCVerticalTextAlignmentTop);
}

bool CCTextFieldTTF::initWithPlaceHolder(const char* placeholder, const char* fontName, float fontSize) {
    m_placeHolder = placeholder ? placeholder : "";
    m_inputText.clear();
    m_charCount = 0;
    return initWithString(m_placeHolder.c_str(), fontName, fontSize);
}

void CCTextFieldTTF::setString(const char* text) {
    m_inputText = text ? text : "";
    m_charCount = static_cast<int>(utf8::charCount(m_inputText));
    setDisplayedString(m_inputText.empty() ? m_placeHolder : m_inputText);
}

void CCTextFieldTTF::setPlaceHolder(const char* placeholder) {
    m_placeHolder = placeholder ? placeholder : "";
    if (m_inputText.empty()) {
        setDisplayedString(m_placeHolder);
    }
}

bool CCTextFieldTTF::attachWithIME() {
    return CCIMEDelegate::attachWithIME();
}

bool CCTextFieldTTF::detachWithIME() {
    return CCIMEDelegate::detachWithIME();
}

bool CCTextFieldTTF::canAttachWithIME() {
    return !(m_delegate && m_delegate->onTextFieldAttachWithIME(this));
}

bool CCTextFieldTTF::canDetachWithIME() {
    return !(m_delegate && m_delegate->onTextFieldDetachWithIME(this));
}

void CCTextFieldTTF::insertText(const char* text, int len) {
    if (!text || len <= 0) {
        return;
    }
    // Never read past a terminating NUL, whatever length the caller claims.
    std::string insert(text, ::strnlen(text, static_cast<std::size_t>(len)));
    const std::size_t newline = insert.find('\n');
    if (newline != std::string::npos) {
        insert.erase(newline);
    }
    if (!insert.empty()) {
        if (m_delegate && m_delegate->onTextFieldInsertText(this, insert.c_str(), static_cast<int>(insert.size()))) {
            return;
        }
        setString((m_inputText + insert).c_str());
    }
    if (newline == std::string::npos) {
        return;
    }
    // Return: the delegate may take it; otherwise typing ends here.
    if (m_delegate && m_delegate->onTextFieldInsertText(this, "\n", 1)) {
        return;
    }
    detachWithIME();
}

void CCTextFieldTTF::deleteBackward() {
    if (m_inputText.empty()) {
        return;
    }
    const std::size_t start = utf8::lastCharStart(m_inputText);
    const std::string removed = m_inputText.substr(start);
    if (m_delegate && m_delegate->onTextFieldDeleteBackward(this, removed.c_str(), static_cast<int>(removed.size()))) {
        return;
    }
    setString(m_inputText.substr(0, start).c_str());
}

void CCTextFieldTTF::draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) {
    if (m_delegate && m_delegate->onDraw(this)) {
        return;
    }
    if (!m_inputText.empty()) {
        CCLabelTTF::draw(renderer, nodeToWorld);
        return;
    }
    // The placeholder takes the placeholder colour, still tinted by a cascading parent.
    const ccColor3B own = m_displayedColor;
    const ccColor3B parent = parentCascadedColor();
    m_displayedColor = ccColor3B{static_cast<std::uint8_t>(m_colorSpaceHolder.r * parent.r / 255),
                                 static_cast<std::uint8_t>(m_colorSpaceHolder.g * parent.g / 255),
                                 static_cast<std::uint8_t>(m_colorSpaceHolder.b * parent.b / 255)};
    CCLabelTTF::draw(renderer, nodeToWorld);
    m_displayedColor = own;
}

}  // namespace lirava
