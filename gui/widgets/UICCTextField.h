#pragma once

#include <string>

#include "engine/text/CCTextFieldDelegate.h"
#include "engine/text/CCTextFieldTTF.h"

namespace lirava {

// The text node of a UITextField: an engine text field that is its own delegate and adds a
// length limit and a password mode. The delegate callbacks only raise flags, which the widget
// reads and clears once per frame.
//
// Length limit: typed or pasted text is cut so that the field never holds more than maxLength
// characters, always at a character boundary (a multi-byte character is kept whole or dropped
// whole). A Return ("\n") is never cut away.
//
// Password mode: the field shows passwordStyleText once per character instead of its text;
// getString still gives the text itself.
class UICCTextField : public CCTextFieldTTF, public CCTextFieldDelegate {
public:
    static constexpr const char* kDefaultPlaceHolder = "input words here";

    static UICCTextField* create(float fontSize);

    UICCTextField();
    ~UICCTextField() override;

    void onEnter() override;

    void setString(const char* text) override;
    void insertText(const char* text, int len) override;
    void deleteBackward() override;

    void setMaxLengthEnabled(bool enabled) { m_maxLengthEnabled = enabled; }
    bool isMaxLengthEnabled() const { return m_maxLengthEnabled; }
    void setMaxLength(int length) { m_maxLength = length; }
    int getMaxLength() const { return m_maxLength; }
    void setPasswordEnabled(bool enabled);
    bool isPasswordEnabled() const { return m_passwordEnabled; }
    // Only one printable, non-blank ASCII character (33 to 126) is accepted; anything else is
    // ignored.
    void setPasswordStyleText(const char* styleText);
    const char* getPasswordStyleText() const { return m_passwordStyleText.c_str(); }
    // Shows the style character once per character of text.
    void setPasswordText(const char* text);
    // What the field shows: the text, the password characters or the placeholder.
    const std::string& getDisplayedText() const { return displayedString(); }

    // Flags raised by the delegate callbacks since they were last cleared.
    bool getAttachWithIME() const { return m_attachWithIME; }
    void setAttachWithIME(bool value) { m_attachWithIME = value; }
    bool getDetachWithIME() const { return m_detachWithIME; }
    void setDetachWithIME(bool value) { m_detachWithIME = value; }
    bool getInsertText() const { return m_insertText; }
    void setInsertText(bool value) { m_insertText = value; }
    bool getDeleteBackward() const { return m_deleteBackward; }
    void setDeleteBackward(bool value) { m_deleteBackward = value; }

    // --- its own delegate
    bool onTextFieldAttachWithIME(CCTextFieldTTF* sender) override;
    bool onTextFieldDetachWithIME(CCTextFieldTTF* sender) override;
    bool onTextFieldInsertText(CCTextFieldTTF* sender, const char* text, int len) override;
    bool onTextFieldDeleteBackward(CCTextFieldTTF* sender, const char* delText, int len) override;

private:
    void showPasswordIfEnabled();

    bool m_maxLengthEnabled = false;
    int m_maxLength = 0;
    bool m_passwordEnabled = false;
    std::string m_passwordStyleText = "*";
    bool m_attachWithIME = false;
    bool m_detachWithIME = false;
    bool m_insertText = false;
    bool m_deleteBackward = false;
};

}  // namespace lirava
