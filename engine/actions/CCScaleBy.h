#pragma once

#include "engine/actions/CCScaleTo.h"

namespace lirava {

// Multiplies the target's scales by the given factors over the duration.
class CCScaleBy : public CCScaleTo {
public:
    static CCScaleBy* create(float duration, float scale);
    static CCScaleBy* create(float duration, float scaleX, float scaleY);

    CCObject* copy() override;
    void startWithTarget(CCNode* target) override;
    // Null when a factor is zero (nothing scales back from zero).
    CCFiniteTimeAction* reverse() override;
};

}  // namespace lirava
