#include "engine/actions/CCSpawn.h"

#include "engine/actions/CCDelayTime.h"
#include "engine/actions/CCSequence.h"
#include "engine/actions/NoAction.h"

namespace lirava {

CCSpawn* CCSpawn::createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    if (!one || !two) {
        return nullptr;
    }
    CCSpawn* spawn = new CCSpawn();
    spawn->initWithTwoActions(one, two);
    spawn->autorelease();
    return spawn;
}

CCSpawn* CCSpawn::create(CCArray* actions) {
    return detail::pairUp<CCSpawn>(detail::finiteActionsIn(actions));
}

bool CCSpawn::initWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    if (!one || !two) {
        return false;
    }
    const float d1 = detail::effectiveDuration(one);
    const float d2 = detail::effectiveDuration(two);
    CCActionInterval::initWithDuration(d1 > d2 ? d1 : d2);
    // The shorter action finishes early and then waits, so both see the whole 0..1 range.
    if (d1 > d2) {
        two = CCSequence::createWithTwoActions(two, CCDelayTime::create(d1 - d2));
    } else if (d2 > d1) {
        one = CCSequence::createWithTwoActions(one, CCDelayTime::create(d2 - d1));
    }
    one->retain();
    two->retain();
    CC_SAFE_RELEASE(m_one);
    CC_SAFE_RELEASE(m_two);
    m_one = one;
    m_two = two;
    return true;
}

CCSpawn::~CCSpawn() {
    CC_SAFE_RELEASE(m_one);
    CC_SAFE_RELEASE(m_two);
}

CCObject* CCSpawn::copy() {
    CCFiniteTimeAction* one = static_cast<CCFiniteTimeAction*>(m_one->copy());
    CCFiniteTimeAction* two = static_cast<CCFiniteTimeAction*>(m_two->copy());
    CCSpawn* spawn = nullptr;
    if (one && two) {
        spawn = new CCSpawn();
        spawn->initWithTwoActions(one, two);
    }
    CC_SAFE_RELEASE(one);
    CC_SAFE_RELEASE(two);
    return spawn;
}

void CCSpawn::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_one->startWithTarget(target);
    m_two->startWithTarget(target);
}

void CCSpawn::stop() {
    m_one->stop();
    m_two->stop();
    CCActionInterval::stop();
}

void CCSpawn::update(float time) {
    m_one->update(time);
    if (m_target) {
        m_two->update(time);
    }
}

CCFiniteTimeAction* CCSpawn::reverse() {
    CCFiniteTimeAction* one = m_one->reverse();
    CCFiniteTimeAction* two = m_two->reverse();
    if (!one || !two) {
        return nullptr;
    }
    return createWithTwoActions(one, two);
}

}  // namespace lirava
