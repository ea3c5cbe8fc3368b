#pragma once

#include "engine/actions/CCActionInterval.h"

namespace lirava {

// Rotates the target to an absolute angle (degrees, clockwise), taking the shorter way round
// from its angle when the action starts. It ends on exactly the given angle.
class CCRotateTo : public CCActionInterval {
public:
    static CCRotateTo* create(float duration, float angle);
    bool initWithDuration(float duration, float angle);

    CCObject* copy() override;
    void startWithTarget(CCNode* target) override;
    void update(float time) override;
    CCFiniteTimeAction* reverse() override { return nullptr; }

protected:
    float m_destinationAngle = 0.0f;
    float m_startAngle = 0.0f;
    float m_diffAngle = 0.0f;
};

}  // namespace lirava
