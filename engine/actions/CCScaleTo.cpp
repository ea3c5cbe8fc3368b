#include "engine/actions/CCScaleTo.h"

#include "engine/nodes/CCNode.h"

namespace lirava {

CCScaleTo* CCScaleTo::create(float duration, float scale) {
    return create(duration, scale, scale);
}

CCScaleTo* CCScaleTo::create(float duration, float scaleX, float scaleY) {
    CCScaleTo* action = new CCScaleTo();
    action->initWithDuration(duration, scaleX, scaleY);
    action->autorelease();
    return action;
}

bool CCScaleTo::initWithDuration(float duration, float scaleX, float scaleY) {
    CCActionInterval::initWithDuration(duration);
    m_endScaleX = scaleX;
    m_endScaleY = scaleY;
    return true;
}

CCObject* CCScaleTo::copy() {
    CCScaleTo* action = new CCScaleTo();
    action->initWithDuration(m_duration, m_endScaleX, m_endScaleY);
    return action;
}

void CCScaleTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    if (target) {
        m_startScaleX = target->getScaleX();
        m_startScaleY = target->getScaleY();
    }
    m_deltaX = m_endScaleX - m_startScaleX;
    m_deltaY = m_endScaleY - m_startScaleY;
}

void CCScaleTo::update(float time) {
    if (m_target) {
        m_target->setScaleX(m_startScaleX + m_deltaX * time);
        m_target->setScaleY(m_startScaleY + m_deltaY * time);
    }
}

}  // namespace lirava
