#include "engine/actions/CCMoveBy.h"

#include "engine/nodes/CCNode.h"

namespace lirava {

CCMoveBy* CCMoveBy::create(float duration, const CCPoint& delta) {
    CCMoveBy* action = new CCMoveBy();
    action->initWithDuration(duration, delta);
    action->autorelease();
    return action;
}

bool CCMoveBy::initWithDuration(float duration, const CCPoint& delta) {
    CCActionInterval::initWithDuration(duration);
    m_delta = delta;
    return true;
}

CCObject* CCMoveBy::copy() {
    CCMoveBy* action = new CCMoveBy();
    action->initWithDuration(m_duration, m_delta);
    return action;
}

void CCMoveBy::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_startPosition = target ? target->getPosition() : CCPointZero;
}

void CCMoveBy::update(float time) {
    if (m_target) {
        m_target->setPosition(m_startPosition + m_delta * time);
    }
}

CCFiniteTimeAction* CCMoveBy::reverse() {
    return CCMoveBy::create(m_duration, -m_delta);
}

}  // namespace lirava
