#include "engine/actions/CCRotateBy.h"

#include "engine/nodes/CCNode.h"

namespace lirava {

CCRotateBy* CCRotateBy::create(float duration, float deltaAngle) {
    CCRotateBy* action = new CCRotateBy();
    action->initWithDuration(duration, deltaAngle);
    action->autorelease();
    return action;
}

bool CCRotateBy::initWithDuration(float duration, float deltaAngle) {
    CCActionInterval::initWithDuration(duration);
    m_angle = deltaAngle;
    return true;
}

CCObject* CCRotateBy::copy() {
    CCRotateBy* action = new CCRotateBy();
    action->initWithDuration(m_duration, m_angle);
    return action;
}

void CCRotateBy::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_startAngle = target ? target->getRotation() : 0.0f;
}

void CCRotateBy::update(float time) {
    if (m_target) {
        m_target->setRotation(m_startAngle + m_angle * time);
    }
}

CCFiniteTimeAction* CCRotateBy::reverse() {
    return CCRotateBy::create(m_duration, -m_angle);
}

}  // namespace lirava
