#include "app/shell/MenuKeys.h"

#include <cmath>

#include "app/shell/VisibleArea.h"
#include "engine/base/CCArray.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItem.h"

namespace lirava::menukeys {

namespace {

bool reachable(CCMenu* menu, CCMenuItem* item) {
    if (!menu || !item || item->getParent() != menu || !menu->isEnabled() || !menu->isVisible() || !item->isVisible() ||
        !item->isEnabled()) {
        return false;
    }
    for (CCNode* ancestor = menu->getParent(); ancestor; ancestor = ancestor->getParent()) {
        if (!ancestor->isVisible()) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool isHomeKey(const std::string& name) {
    return name == "Home" || name == "Escape";
}

bool isReturnKey(const std::string& name) {
    return name == "Return" || name == "Keypad Enter";
}

bool activateItem(CCMenu* menu, CCMenuItem* item) {
    if (!reachable(menu, item)) {
        return false;
    }
    item->activate();
    return true;
}

CCMenuItem* itemAtCentre(CCMenu* menu) {
    if (!menu || !menu->getChildren()) {
        return nullptr;
    }
    const float centre = VisibleArea::center().y;
    CCMenuItem* nearest = nullptr;
    float nearestDistance = 0.0f;
    for (CCObject* child : *menu->getChildren()) {
        CCMenuItem* item = dynamic_cast<CCMenuItem*>(child);
        if (!reachable(menu, item)) {
            continue;
        }
        const float distance = std::fabs(menu->convertToWorldSpace(item->getPosition()).y - centre);
        if (!nearest || distance < nearestDistance) {
            nearest = item;
            nearestDistance = distance;
        }
    }
    return nearest;
}

}  // namespace lirava::menukeys
