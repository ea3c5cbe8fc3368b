#include "engine/actions/CCHide.h"

#include "engine/actions/CCShow.h"
#include "engine/nodes/CCNode.h"

namespace lirava {

CCHide* CCHide::create() {
    CCHide* action = new CCHide();
    action->autorelease();
    return action;
}

CCObject* CCHide::copy() {
    return new CCHide();
}

void CCHide::update(float time) {
    if (m_target) {
        m_target->setVisible(false);
    }
}

CCFiniteTimeAction* CCHide::reverse() {
    return CCShow::create();
}

}  // namespace lirava
