#pragma once

namespace lirava {

// Something that can take keyboard text: it joins the input-method dispatcher when made and
// leaves it when destroyed. At most one delegate is attached at a time; the dispatcher asks the
// old and the new one before switching.
class CCIMEDelegate {
public:
    virtual ~CCIMEDelegate();

    // Asks the dispatcher to make this the attached delegate; false when refused.
    virtual bool attachWithIME();
    virtual bool detachWithIME();

    virtual bool canAttachWithIME() { return false; }
    virtual void didAttachWithIME() {}
    virtual bool canDetachWithIME() { return false; }
    virtual void didDetachWithIME() {}

    // Typed text (UTF-8, len bytes); "\n" for the Return key.
    virtual void insertText(const char* text, int len) {}
    virtual void deleteBackward() {}
    virtual const char* getContentText() { return ""; }

protected:
    CCIMEDelegate();
};

}  // namespace lirava
