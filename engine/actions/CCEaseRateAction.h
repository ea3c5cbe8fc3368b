#pragma once

#include "engine/actions/CCActionEase.h"

namespace lirava {

// An easing curve shaped by a rate (the power of the curve).
class CCEaseRateAction : public CCActionEase {
public:
    bool initWithAction(CCActionInterval* action, float rate);

    float getRate() const { return m_rate; }
    void setRate(float rate) { m_rate = rate; }

protected:
    float m_rate = 1.0f;
};

}  // namespace lirava
