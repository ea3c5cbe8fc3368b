#pragma once

#include <functional>

namespace lirava {

class CCIMEDelegate;

// Routes keyboard text to the text field that is attached to the input method. The platform
// feeds it from SDL text input and is told when keyboard input should start or stop.
class CCIMEDispatcher {
public:
    static CCIMEDispatcher* sharedDispatcher();
    static void purgeSharedDispatcher();

    // Typed text (UTF-8) goes to the attached delegate; "\n" is sent for the Return key.
    void dispatchInsertText(const char* text, int length);
    void dispatchDeleteBackward();
    bool hasAttachedDelegate() const;

    // Installed by the platform: called with true when a text field attaches (text input starts)
    // and false when it detaches.
    void setKeyboardStateHandler(std::function<void(bool open)> handler);

    // Used by CCIMEDelegate.
    bool attachDelegateWithIME(CCIMEDelegate* delegate);
    bool detachDelegateWithIME(CCIMEDelegate* delegate);
    void addDelegate(CCIMEDelegate* delegate);
    void removeDelegate(CCIMEDelegate* delegate);

private:
    CCIMEDispatcher();
    ~CCIMEDispatcher();
    struct State;
    State* m_state;
};

}  // namespace lirava
