// The keys of a page.

#include "app/reader/PageLayer.h"
#include "app/shell/MenuKeys.h"
#include "engine/menu/CCMenuItemFont.h"
#include "engine/menu/CCMenuItemImage.h"

namespace lirava {

bool PageLayer::keyPressed(const std::string& name, bool repeat) {
    // Held arrows keep turning, one page per finished curl.
    if (name == "Left") {
        return menukeys::activateItem(m_menu, m_previousItem);
    }
    if (name == "Right") {
        return menukeys::activateItem(m_menu, m_nextItem);
    }
    if (repeat) {
        return false;
    }
    if (name == "Space") {
        return menukeys::activateItem(m_menu, m_playItem);
    }
    if (menukeys::isHomeKey(name)) {
        return menukeys::activateItem(m_menu, m_mainItem);
    }
    if (name == "-" || name == "Keypad -") {
        changeNarrationSpeed(-1);
        return true;
    }
    if (name == "L") {
        nextCaptionLanguage();
        return true;
    }
    // = shares its key with + on many keyboards, where + needs Shift.
    if (name == "+" || name == "=" || name == "Keypad +") {
        changeNarrationSpeed(+1);
        return true;
    }
    return false;
}

}  // namespace lirava
