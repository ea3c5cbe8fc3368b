#include "engine/actions/CCActionEase.h"

namespace lirava {

bool CCActionEase::initWithAction(CCActionInterval* action) {
    if (!action) {
        return false;
    }
    CCActionInterval::initWithDuration(action->getDuration());
    action->retain();
    CC_SAFE_RELEASE(m_inner);
    m_inner = action;
    return true;
}

CCActionEase::~CCActionEase() {
    CC_SAFE_RELEASE(m_inner);
}

void CCActionEase::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_inner->startWithTarget(target);
}

void CCActionEase::stop() {
    m_inner->stop();
    CCActionInterval::stop();
}

void CCActionEase::update(float time) {
    // The ends are pinned so that every curve, whatever its rate or period, starts and lands
    // exactly on the inner action's end states.
    float eased = 0.0f;
    if (time >= 1.0f) {
        eased = 1.0f;
    } else if (time > 0.0f) {
        eased = m_mirrored ? 1.0f - ease(1.0f - time) : ease(time);
    }
    m_inner->update(eased);
}

}  // namespace lirava
