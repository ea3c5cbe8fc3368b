#include "engine/actions/CCEaseElasticOut.h"

#include <cmath>

namespace lirava {

namespace {
constexpr float kTwoPi = 6.28318530718f;
constexpr float kDefaultPeriod = 0.3f;
}  // namespace

CCEaseElasticOut* CCEaseElasticOut::create(CCActionInterval* action) {
    return create(action, kDefaultPeriod);
}

CCEaseElasticOut* CCEaseElasticOut::create(CCActionInterval* action, float period) {
    CCEaseElasticOut* ease = new CCEaseElasticOut();
    if (!ease->initWithAction(action, period)) {
        delete ease;
        return nullptr;
    }
    ease->autorelease();
    return ease;
}

bool CCEaseElasticOut::initWithAction(CCActionInterval* action, float period) {
    if (!CCActionEase::initWithAction(action)) {
        return false;
    }
    m_period = period;
    return true;
}

CCObject* CCEaseElasticOut::copy() {
    CCActionInterval* inner = static_cast<CCActionInterval*>(m_inner->copy());
    if (!inner) {
        return nullptr;
    }
    CCEaseElasticOut* ease = new CCEaseElasticOut();
    ease->initWithAction(inner, m_period);
    ease->m_mirrored = m_mirrored;
    inner->release();
    return ease;
}

float CCEaseElasticOut::ease(float time) const {
    // A period of zero or less has no oscillation to speak of; use the usual one.
    const float period = m_period > 0.0f ? m_period : kDefaultPeriod;
    const float shift = period / 4.0f;
    return std::pow(2.0f, -10.0f * time) * std::sin((time - shift) * kTwoPi / period) + 1.0f;
}

CCFiniteTimeAction* CCEaseElasticOut::reverse() {
    CCActionInterval* inner = dynamic_cast<CCActionInterval*>(m_inner->reverse());
    if (!inner) {
        return nullptr;
    }
    CCEaseElasticOut* reversed = CCEaseElasticOut::create(inner, m_period);
    reversed->m_mirrored = !m_mirrored;
    return reversed;
}

}  // namespace lirava
