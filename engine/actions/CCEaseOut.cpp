#include "engine/actions/CCEaseOut.h"

#include <cmath>

#include "engine/actions/CCEaseIn.h"

namespace lirava {

CCEaseOut* CCEaseOut::create(CCActionInterval* action, float rate) {
    CCEaseOut* ease = new CCEaseOut();
    if (!ease->initWithAction(action, rate)) {
        delete ease;
        return nullptr;
    }
    ease->autorelease();
    return ease;
}

CCObject* CCEaseOut::copy() {
    CCActionInterval* inner = static_cast<CCActionInterval*>(m_inner->copy());
    if (!inner) {
        return nullptr;
    }
    CCEaseOut* ease = new CCEaseOut();
    ease->initWithAction(inner, m_rate);
    inner->release();
    return ease;
}

float CCEaseOut::ease(float time) const {
    return std::pow(time, 1.0f / m_rate);
}

CCFiniteTimeAction* CCEaseOut::reverse() {
    CCActionInterval* inner = dynamic_cast<CCActionInterval*>(m_inner->reverse());
    return inner ? CCEaseIn::create(inner, m_rate) : nullptr;
}

}  // namespace lirava
