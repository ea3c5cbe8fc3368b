#include "engine/actions/CCDelayTime.h"

namespace lirava {

CCDelayTime* CCDelayTime::create(float duration) {
    CCDelayTime* action = new CCDelayTime();
    action->initWithDuration(duration);
    action->autorelease();
    return action;
}

CCObject* CCDelayTime::copy() {
    CCDelayTime* action = new CCDelayTime();
    action->initWithDuration(m_duration);
    return action;
}

CCFiniteTimeAction* CCDelayTime::reverse() {
    return CCDelayTime::create(m_duration);
}

}  // namespace lirava
