#include "engine/actions/CCRotateTo.h"

#include <cmath>

#include "engine/nodes/CCNode.h"

namespace lirava {

CCRotateTo* CCRotateTo::create(float duration, float angle) {
    CCRotateTo* action = new CCRotateTo();
    action->initWithDuration(duration, angle);
    action->autorelease();
    return action;
}

bool CCRotateTo::initWithDuration(float duration, float angle) {
    CCActionInterval::initWithDuration(duration);
    m_destinationAngle = angle;
    return true;
}

CCObject* CCRotateTo::copy() {
    CCRotateTo* action = new CCRotateTo();
    action->initWithDuration(m_duration, m_destinationAngle);
    return action;
}

void CCRotateTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_startAngle = target ? target->getRotation() : 0.0f;
    // Turn through at most half a circle: the difference is brought into -180..180.
    float diff = std::fmod(m_destinationAngle - m_startAngle, 360.0f);
    if (diff > 180.0f) {
        diff -= 360.0f;
    } else if (diff < -180.0f) {
        diff += 360.0f;
    }
    m_diffAngle = diff;
}

void CCRotateTo::update(float time) {
    if (!m_target) {
        return;
    }
    // The end is the requested angle itself, not an equivalent one a whole turn away.
    m_target->setRotation(time >= 1.0f ? m_destinationAngle : m_startAngle + m_diffAngle * time);
}

}  // namespace lirava
