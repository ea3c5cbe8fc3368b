#include "engine/actions/CCRepeat.h"

#include <algorithm>
#include <cmath>

#include "engine/actions/NoAction.h"

namespace lirava {

CCRepeat* CCRepeat::create(CCFiniteTimeAction* action, unsigned int times) {
    CCRepeat* repeat = new CCRepeat();
    if (!repeat->initWithAction(action, times)) {
        delete repeat;
        return nullptr;
    }
    repeat->autorelease();
    return repeat;
}

bool CCRepeat::initWithAction(CCFiniteTimeAction* action, unsigned int times) {
    if (!action) {
        return false;
    }
    CCActionInterval::initWithDuration(detail::effectiveDuration(action) * static_cast<float>(times));
    action->retain();
    CC_SAFE_RELEASE(m_inner);
    m_inner = action;
    m_times = times;
    return true;
}

CCRepeat::~CCRepeat() {
    CC_SAFE_RELEASE(m_inner);
}

CCObject* CCRepeat::copy() {
    CCFiniteTimeAction* inner = static_cast<CCFiniteTimeAction*>(m_inner->copy());
    if (!inner) {
        return nullptr;
    }
    CCRepeat* repeat = new CCRepeat();
    repeat->initWithAction(inner, m_times);
    inner->release();
    return repeat;
}

void CCRepeat::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_completed = 0;
    if (m_times > 0) {
        m_inner->startWithTarget(target);
    }
}

void CCRepeat::stop() {
    if (m_completed < m_times) {
        m_inner->stop();
    }
    CCActionInterval::stop();
}

void CCRepeat::update(float time) {
    if (m_completed >= m_times) {
        return;
    }
    const float progress = time * static_cast<float>(m_times);
    unsigned int whole = m_times;
    if (time < 1.0f) {
        whole = std::min(m_times, static_cast<unsigned int>(std::max(0.0f, std::floor(progress))));
    }
    // Finish every run that ended since the last update, each on exactly its end state.
    while (m_completed < whole) {
        m_inner->update(1.0f);
        m_inner->stop();
        ++m_completed;
        if (!m_target) {
            return;  // the run's end stopped this action
        }
        if (m_completed < m_times) {
            m_inner->startWithTarget(m_target);
        }
    }
    if (m_completed < m_times) {
        m_inner->update(progress - static_cast<float>(m_completed));
    }
}

bool CCRepeat::isDone() {
    return m_completed >= m_times;
}

CCFiniteTimeAction* CCRepeat::reverse() {
    CCFiniteTimeAction* inner = m_inner->reverse();
    return inner ? CCRepeat::create(inner, m_times) : nullptr;
}

}  // namespace lirava
