#include "engine/actions/CCEaseIn.h"

#include <cmath>

#include "engine/actions/CCEaseOut.h"

namespace lirava {

CCEaseIn* CCEaseIn::create(CCActionInterval* action, float rate) {
    CCEaseIn* ease = new CCEaseIn();
    if (!ease->initWithAction(action, rate)) {
        delete ease;
        return nullptr;
    }
    ease->autorelease();
    return ease;
}

CCObject* CCEaseIn::copy() {
    CCActionInterval* inner = static_cast<CCActionInterval*>(m_inner->copy());
    if (!inner) {
        return nullptr;
    }
    CCEaseIn* ease = new CCEaseIn();
    ease->initWithAction(inner, m_rate);
    inner->release();
    return ease;
}

float CCEaseIn::ease(float time) const {
    return std::pow(time, m_rate);
}

CCFiniteTimeAction* CCEaseIn::reverse() {
    CCActionInterval* inner = dynamic_cast<CCActionInterval*>(m_inner->reverse());
    return inner ? CCEaseOut::create(inner, m_rate) : nullptr;
}

}  // namespace lirava
