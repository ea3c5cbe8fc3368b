// The keys of the settings screen.

#include "app/reader/SetLayer.h"
#include "app/shell/MenuKeys.h"
#include "engine/base/CCArray.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItem.h"

namespace lirava {

bool SetLayer::keyPressed(const std::string& name, bool repeat) {
    if (repeat || !menukeys::isHomeKey(name) || m_leaving) {
        return false;
    }
    // "bnmain" acts at touch-down; a key is that touch, where the button would take one.
    UIWidget* home = getButton(SettingMain);
    if (home && home->isEnabled() && home->isTouchEnabled()) {
        onSettingTouched(home, TOUCH_EVENT_BEGAN);
        return true;
    }
    CCArray* items = m_homeMenu ? m_homeMenu->getChildren() : nullptr;
    if (items && items->count() > 0) {
        return menukeys::activateItem(m_homeMenu, dynamic_cast<CCMenuItem*>(items->objectAtIndex(0)));
    }
    return false;
}

}  // namespace lirava
