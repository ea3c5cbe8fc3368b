#pragma once

#include "engine/actions/CCEaseRateAction.h"

namespace lirava {

// Slow start and slow end, symmetric about the middle: the first half is t^rate scaled into
// 0..0.5, the second its mirror. Rate 1 is linear.
class CCEaseInOut : public CCEaseRateAction {
public:
    static CCEaseInOut* create(CCActionInterval* action, float rate);

    CCObject* copy() override;
    CCFiniteTimeAction* reverse() override;

protected:
    float ease(float time) const override;
};

}  // namespace lirava
