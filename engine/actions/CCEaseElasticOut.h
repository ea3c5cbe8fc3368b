#pragma once

#include "engine/actions/CCActionEase.h"

namespace lirava {

// Overshoots the target and settles on it with a damped oscillation of the given period
// (in units of the action's duration).
class CCEaseElasticOut : public CCActionEase {
public:
    static CCEaseElasticOut* create(CCActionInterval* action);
    static CCEaseElasticOut* create(CCActionInterval* action, float period);
    bool initWithAction(CCActionInterval* action, float period);

    float getPeriod() const { return m_period; }
    void setPeriod(float period) { m_period = period; }

    CCObject* copy() override;
    // The same oscillation run backwards in time.
    CCFiniteTimeAction* reverse() override;

protected:
    float ease(float time) const override;

    float m_period = 0.3f;
};

}  // namespace lirava
