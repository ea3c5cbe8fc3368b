#pragma once

#include "engine/actions/CCEaseRateAction.h"

namespace lirava {

// Slow start: progress t^rate.
class CCEaseIn : public CCEaseRateAction {
public:
    static CCEaseIn* create(CCActionInterval* action, float rate);

    CCObject* copy() override;
    CCFiniteTimeAction* reverse() override;  // a CCEaseOut of the reversed inner action

protected:
    float ease(float time) const override;
};

}  // namespace lirava
