// The keys of the home screen and the unit page list.

#include "app/contents/ContentsState.h"
#include "app/contents/KeyScroll.h"
#include "app/contents/MenuLayerMainMenu.h"
#include "app/contents/TestController.h"
#include "app/shell/MenuKeys.h"
#include "app/shell/TestScene.h"
#include "engine/menu/CCMenu.h"

namespace lirava {

namespace {

// Scrolls by one row for Up (-1) or Down (+1). The offset is kept as after a drag, except for a
// list shorter than the screen, which a drag never scrolls and whose rest keeps no offset.
bool scrollByRow(CCMenu* menu, int direction, float bound, CCPoint& savedOffset) {
    if (!menu) {
        return false;
    }
    const CCPoint current = menu->getPosition();
    const float target = contents::keyScrollTarget(current.y, direction * contents::kKeyScrollStep, bound);
    if (target == current.y) {
        return false;
    }
    menu->setPosition(CCPoint(current.x, target));
    if (bound >= 0) {
        savedOffset = menu->getPosition();
    }
    return true;
}

int scrollDirection(const std::string& name) {
    if (name == "Up") {
        return -1;
    }
    if (name == "Down") {
        return +1;
    }
    return 0;
}

}  // namespace

bool TestController::keyPressed(const std::string& name, bool repeat) {
    if (const int direction = scrollDirection(name)) {
        return scrollByRow(m_unitMenu, direction, dragBound(), contents::homeMenuOffset);
    }
    if (menukeys::isReturnKey(name) && !repeat) {
        // While the drag hint shows, this only dismisses it, as a click on any item does.
        return menukeys::activateItem(m_unitMenu, menukeys::itemAtCentre(m_unitMenu));
    }
    return false;
}

bool MenuLayerMainMenu::keyPressed(const std::string& name, bool repeat) {
    if (const int direction = scrollDirection(name)) {
        return scrollByRow(m_menu, direction, dragBound(), contents::pageMenuOffset);
    }
    if (repeat) {
        return false;
    }
    if (menukeys::isReturnKey(name)) {
        return menukeys::activateItem(m_menu, menukeys::itemAtCentre(m_menu));
    }
    if (menukeys::isHomeKey(name)) {
        // The scene's main-page item goes home; a list shown in any other scene has none.
        if (TestScene* scene = dynamic_cast<TestScene*>(getParent())) {
            scene->goHome(this);
            return true;
        }
    }
    return false;
}

}  // namespace lirava
