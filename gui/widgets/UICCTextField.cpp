#include "gui/widgets/UICCTextField.h"

#include <cstring>

#include "engine/text/Utf8.h"

namespace lirava {

namespace {

constexpr const char* kFontName = "Thonburi";

// The first maxChars characters of text, never ending inside a multi-byte character.
std::string firstCharacters(const std::string& text, int maxChars) {
    std::size_t end = 0;
    for (int count = 0; count < maxChars && end < text.size(); ++count) {
        char32_t ignored;
        end += utf8::decodeAt(text, end, ignored);
    }
    return text.substr(0, end);
}

}  // namespace

UICCTextField* UICCTextField::create(float fontSize) {
    UICCTextField* field = new UICCTextField();
    if (field->initWithPlaceHolder(kDefaultPlaceHolder, kFontName, fontSize)) {
        // Its own delegate from the start, so that limits hold before it is first on stage.
        field->setDelegate(field);
        field->autorelease();
        return field;
    }
    field->release();
    return nullptr;
}

UICCTextField::UICCTextField() = default;

UICCTextField::~UICCTextField() = default;

void UICCTextField::onEnter() {
    CCTextFieldTTF::onEnter();
    setDelegate(this);
}

void UICCTextField::setString(const char* text) {
    CCTextFieldTTF::setString(text);
    showPasswordIfEnabled();
}

void UICCTextField::insertText(const char* text, int len) {
    if (!text || len <= 0) {
        return;
    }
    std::string insert(text, ::strnlen(text, static_cast<std::size_t>(len)));
    if (insert != "\n" && m_maxLengthEnabled) {
        // Cut what comes before a Return so that the field stays within its limit; the Return
        // itself still ends typing.
        const std::size_t newline = insert.find('\n');
        const std::string tail = newline == std::string::npos ? std::string() : std::string("\n");
        const int room = m_maxLength > m_charCount ? m_maxLength - m_charCount : 0;
        insert = firstCharacters(insert.substr(0, newline), room) + tail;
    }
    CCTextFieldTTF::insertText(insert.c_str(), static_cast<int>(insert.size()));
    showPasswordIfEnabled();
}

void UICCTextField::deleteBackward() {
    CCTextFieldTTF::deleteBackward();
    showPasswordIfEnabled();
}

void UICCTextField::setPasswordEnabled(bool enabled) {
    if (m_passwordEnabled == enabled) {
        return;
    }
    m_passwordEnabled = enabled;
    // Show the text (or hide it) at once rather than at the next key.
    if (enabled) {
        showPasswordIfEnabled();
    } else {
        CCTextFieldTTF::setString(m_inputText.c_str());
    }
}

void UICCTextField::setPasswordStyleText(const char* styleText) {
    if (!styleText || std::strlen(styleText) != 1) {
        return;
    }
    const unsigned char c = static_cast<unsigned char>(styleText[0]);
    if (c < 33 || c > 126) {
        return;
    }
    m_passwordStyleText = styleText;
    showPasswordIfEnabled();
}

void UICCTextField::setPasswordText(const char* text) {
    // One style character per character: a multi-byte character is one key press, not several.
    const std::size_t count = utf8::charCount(text ? text : "");
    std::string shown;
    shown.reserve(count * m_passwordStyleText.size());
    for (std::size_t i = 0; i < count; ++i) {
        shown += m_passwordStyleText;
    }
    setDisplayedString(shown);
}

void UICCTextField::showPasswordIfEnabled() {
    if (m_passwordEnabled && m_charCount > 0) {
        setPasswordText(m_inputText.c_str());
    }
}

bool UICCTextField::onTextFieldAttachWithIME(CCTextFieldTTF* /*sender*/) {
    m_attachWithIME = true;
    return false;
}

bool UICCTextField::onTextFieldDetachWithIME(CCTextFieldTTF* /*sender*/) {
    m_detachWithIME = true;
    return false;
}

bool UICCTextField::onTextFieldInsertText(CCTextFieldTTF* /*sender*/, const char* text, int len) {
    if (len == 1 && text && text[0] == '\n') {
        return false;
    }
    m_insertText = true;
    return m_maxLengthEnabled && m_charCount >= m_maxLength;
}

bool UICCTextField::onTextFieldDeleteBackward(CCTextFieldTTF* /*sender*/, const char* /*delText*/, int /*len*/) {
    m_deleteBackward = true;
    return false;
}

}  // namespace lirava
