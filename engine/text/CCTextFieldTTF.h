#pragma once

#include <string>

#include "engine/text/CCIMEDelegate.h"
#include "engine/text/CCLabelTTF.h"
#include "engine/text/CCTextFieldDelegate.h"

namespace lirava {

// A one-line text input: a label that takes keyboard text through the input-method dispatcher.
// While its text is empty it shows the placeholder in the placeholder colour. Insertion stops at
// the first "\n": the text before it is inserted, then the delegate is offered "\n", and unless
// it refuses the field detaches from the keyboard. deleteBackward removes one whole UTF-8
// character. The delegate is not retained.
class CCTextFieldTTF : public CCLabelTTF, public CCIMEDelegate {
public:
    static CCTextFieldTTF* textFieldWithPlaceHolder(const char* placeholder, const CCSize& dimensions,
                                                    CCTextAlignment alignment, const char* fontName, float fontSize);
    static CCTextFieldTTF* textFieldWithPlaceHolder(const char* placeholder, const char* fontName, float fontSize);

    CCTextFieldTTF();
    ~CCTextFieldTTF() override;

    bool initWithPlaceHolder(const char* placeholder, const CCSize& dimensions, CCTextAlignment alignment,
                             const char* fontName, float fontSize);
    bool initWithPlaceHolder(const char* placeholder, const char* fontName, float fontSize);

    CCTextFieldDelegate* getDelegate() const { return m_delegate; }
    void setDelegate(CCTextFieldDelegate* delegate) { m_delegate = delegate; }

    // Characters of the text (UTF-8 characters; a malformed byte counts as one).
    int getCharCount() const { return m_charCount; }
    const ccColor3B& getColorSpaceHolder() const { return m_colorSpaceHolder; }
    void setColorSpaceHolder(const ccColor3B& color) { m_colorSpaceHolder = color; }

    // The typed text (never the placeholder).
    void setString(const char* text) override;
    const char* getString() override { return m_inputText.c_str(); }
    void setPlaceHolder(const char* placeholder);
    const char* getPlaceHolder() const { return m_placeHolder.c_str(); }

    // --- input method
    bool attachWithIME() override;
    bool detachWithIME() override;
    bool canAttachWithIME() override;
    bool canDetachWithIME() override;
    void insertText(const char* text, int len) override;
    void deleteBackward() override;
    const char* getContentText() override { return m_inputText.c_str(); }

    void draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) override;

protected:
    CCTextFieldDelegate* m_delegate = nullptr;
    int m_charCount = 0;
    std::string m_inputText;
    std::string m_placeHolder;
    ccColor3B m_colorSpaceHolder = {127, 127, 127};
};

}  // namespace lirava
