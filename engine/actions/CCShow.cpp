#include "engine/actions/CCShow.h"

#include "engine/actions/CCHide.h"
#include "engine/nodes/CCNode.h"

namespace lirava {

CCShow* CCShow::create() {
    CCShow* action = new CCShow();
    action->autorelease();
    return action;
}

CCObject* CCShow::copy() {
    return new CCShow();
}

void CCShow::update(float time) {
    if (m_target) {
        m_target->setVisible(true);
    }
}

CCFiniteTimeAction* CCShow::reverse() {
    return CCHide::create();
}

}  // namespace lirava
