#include "engine/platform/KeyInput.h"

#include "engine/platform/CCDirector.h"
#include "engine/platform/CCKeypadDispatcher.h"
#include "engine/text/CCIMEDispatcher.h"

namespace lirava {

bool dispatchKeyPress(const std::string& name, bool repeat) {
    CCIMEDispatcher* ime = CCIMEDispatcher::sharedDispatcher();
    if (ime->hasAttachedDelegate()) {
        if (name == "Return" || name == "Keypad Enter") {
            ime->dispatchInsertText("\n", 1);
        } else if (name == "Backspace") {
            ime->dispatchDeleteBackward();
        }
        return true;
    }
    return CCDirector::sharedDirector()->getKeypadDispatcher()->dispatchKeyPressed(name, repeat);
}

void dispatchKeyRelease(const std::string& name) {
    if (CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate()) {
        return;
    }
    CCDirector::sharedDirector()->getKeypadDispatcher()->dispatchKeyReleased(name);
}

}  // namespace lirava
