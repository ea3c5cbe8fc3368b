#pragma once

#include "engine/actions/CCEaseRateAction.h"

namespace lirava {

// Slow end: progress t^(1/rate).
class CCEaseOut : public CCEaseRateAction {
public:
    static CCEaseOut* create(CCActionInterval* action, float rate);

    CCObject* copy() override;
    CCFiniteTimeAction* reverse() override;  // a CCEaseIn of the reversed inner action

protected:
    float ease(float time) const override;
};

}  // namespace lirava
