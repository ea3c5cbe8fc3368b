#include "engine/actions/CCRepeatForever.h"

namespace lirava {

namespace {
// A frame far longer than the action (a stall, a huge dt) is carried over at most this many
// runs, so one step can never spin for long.
constexpr int kMaxRunsPerStep = 64;
}  // namespace

CCRepeatForever* CCRepeatForever::create(CCActionInterval* action) {
    CCRepeatForever* repeat = new CCRepeatForever();
    if (!repeat->initWithAction(action)) {
        delete repeat;
        return nullptr;
    }
    repeat->autorelease();
    return repeat;
}

bool CCRepeatForever::initWithAction(CCActionInterval* action) {
    if (!action) {
        return false;
    }
    CCActionInterval::initWithDuration(action->getDuration());
    action->retain();
    CC_SAFE_RELEASE(m_inner);
    m_inner = action;
    return true;
}

CCRepeatForever::~CCRepeatForever() {
    CC_SAFE_RELEASE(m_inner);
}

CCObject* CCRepeatForever::copy() {
    CCActionInterval* inner = static_cast<CCActionInterval*>(m_inner->copy());
    if (!inner) {
        return nullptr;
    }
    CCRepeatForever* repeat = new CCRepeatForever();
    repeat->initWithAction(inner);
    inner->release();
    return repeat;
}

void CCRepeatForever::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_inner->startWithTarget(target);
}

void CCRepeatForever::stop() {
    m_inner->stop();
    CCActionInterval::stop();
}

void CCRepeatForever::step(float dt) {
    m_inner->step(dt);
    for (int runs = 0; runs < kMaxRunsPerStep && m_target && m_inner->isDone(); ++runs) {
        if (m_inner->getDuration() <= 0.0f) {
            // An action without duration runs once a frame, not over and over within one.
            m_inner->startWithTarget(m_target);
            return;
        }
        const float overshoot = m_inner->getElapsed() - m_inner->getDuration();
        m_inner->startWithTarget(m_target);
        m_inner->step(0.0f);
        m_inner->step(overshoot);
    }
}

CCFiniteTimeAction* CCRepeatForever::reverse() {
    CCActionInterval* inner = dynamic_cast<CCActionInterval*>(m_inner->reverse());
    return inner ? CCRepeatForever::create(inner) : nullptr;
}

}  // namespace lirava
