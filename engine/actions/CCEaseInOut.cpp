#include "engine/actions/CCEaseInOut.h"

#include <cmath>

namespace lirava {

CCEaseInOut* CCEaseInOut::create(CCActionInterval* action, float rate) {
    CCEaseInOut* ease = new CCEaseInOut();
    if (!ease->initWithAction(action, rate)) {
        delete ease;
        return nullptr;
    }
    ease->autorelease();
    return ease;
}

CCObject* CCEaseInOut::copy() {
    CCActionInterval* inner = static_cast<CCActionInterval*>(m_inner->copy());
    if (!inner) {
        return nullptr;
    }
    CCEaseInOut* ease = new CCEaseInOut();
    ease->initWithAction(inner, m_rate);
    inner->release();
    return ease;
}

float CCEaseInOut::ease(float time) const {
    const float doubled = time * 2.0f;
    if (doubled < 1.0f) {
        return 0.5f * std::pow(doubled, m_rate);
    }
    return 1.0f - 0.5f * std::pow(2.0f - doubled, m_rate);
}

CCFiniteTimeAction* CCEaseInOut::reverse() {
    CCActionInterval* inner = dynamic_cast<CCActionInterval*>(m_inner->reverse());
    return inner ? CCEaseInOut::create(inner, m_rate) : nullptr;
}

}  // namespace lirava
