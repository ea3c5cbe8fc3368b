#pragma once

namespace lirava {

class CCTextFieldTTF;

// Lets an owner watch and veto a text field's input. Each call returns true to refuse.
class CCTextFieldDelegate {
public:
    virtual ~CCTextFieldDelegate() = default;

    virtual bool onTextFieldAttachWithIME(CCTextFieldTTF* sender) { return false; }
    virtual bool onTextFieldDetachWithIME(CCTextFieldTTF* sender) { return false; }
    // text is the part about to be inserted (len bytes), or "\n" when Return was pressed.
    virtual bool onTextFieldInsertText(CCTextFieldTTF* sender, const char* text, int len) { return false; }
    // delText is the character about to be removed (len bytes).
    virtual bool onTextFieldDeleteBackward(CCTextFieldTTF* sender, const char* delText, int len) { return false; }
    // True to skip drawing the field this frame.
    virtual bool onDraw(CCTextFieldTTF* sender) { return false; }
};

}  // namespace lirava
