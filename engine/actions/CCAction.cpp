#include "engine/actions/CCAction.h"

#include <algorithm>

#include "engine/actions/CCActionInstant.h"
#include "engine/actions/CCActionInterval.h"

namespace lirava {

CCObject* CCAction::copy() {
    return nullptr;
}

bool CCAction::isDone() {
    return true;
}

void CCAction::startWithTarget(CCNode* target) {
    m_originalTarget = target;
    m_target = target;
}

void CCAction::stop() {
    m_target = nullptr;
}

void CCAction::step(float dt) {}

void CCAction::update(float time) {}

CCFiniteTimeAction* CCFiniteTimeAction::reverse() {
    return nullptr;
}

bool CCActionInterval::initWithDuration(float duration) {
    m_duration = duration;
    m_elapsed = 0.0f;
    m_firstTick = true;
    return true;
}

bool CCActionInterval::isDone() {
    return m_elapsed >= m_duration;
}

void CCActionInterval::step(float dt) {
    if (m_firstTick) {
        m_firstTick = false;
        m_elapsed = 0.0f;
    } else {
        m_elapsed += dt;
    }
    // Zero and negative durations (key frames out of order build those) end on the first step.
    if (m_duration <= 0.0f) {
        update(1.0f);
        return;
    }
    update(std::max(0.0f, std::min(1.0f, m_elapsed / m_duration)));
}

void CCActionInterval::startWithTarget(CCNode* target) {
    CCFiniteTimeAction::startWithTarget(target);
    m_elapsed = 0.0f;
    m_firstTick = true;
}

CCFiniteTimeAction* CCActionInterval::reverse() {
    return nullptr;
}

CCFiniteTimeAction* CCActionInstant::reverse() {
    return nullptr;
}

}  // namespace lirava
