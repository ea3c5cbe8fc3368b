#include "engine/actions/CCScaleBy.h"

#include "engine/nodes/CCNode.h"

namespace lirava {

CCScaleBy* CCScaleBy::create(float duration, float scale) {
    return create(duration, scale, scale);
}

CCScaleBy* CCScaleBy::create(float duration, float scaleX, float scaleY) {
    CCScaleBy* action = new CCScaleBy();
    action->initWithDuration(duration, scaleX, scaleY);
    action->autorelease();
    return action;
}

CCObject* CCScaleBy::copy() {
    CCScaleBy* action = new CCScaleBy();
    action->initWithDuration(m_duration, m_endScaleX, m_endScaleY);
    return action;
}

void CCScaleBy::startWithTarget(CCNode* target) {
    CCScaleTo::startWithTarget(target);
    // The stored factors are multipliers here, not end values.
    m_deltaX = m_startScaleX * m_endScaleX - m_startScaleX;
    m_deltaY = m_startScaleY * m_endScaleY - m_startScaleY;
}

CCFiniteTimeAction* CCScaleBy::reverse() {
    if (m_endScaleX == 0.0f || m_endScaleY == 0.0f) {
        return nullptr;
    }
    return CCScaleBy::create(m_duration, 1.0f / m_endScaleX, 1.0f / m_endScaleY);
}

}  // namespace lirava
