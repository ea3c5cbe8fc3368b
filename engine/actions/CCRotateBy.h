#pragma once

#include "engine/actions/CCActionInterval.h"

namespace lirava {

// Rotates the target by an angle (degrees, clockwise) from its angle when the action starts.
class CCRotateBy : public CCActionInterval {
public:
    static CCRotateBy* create(float duration, float deltaAngle);
    bool initWithDuration(float duration, float deltaAngle);

    CCObject* copy() override;
    void startWithTarget(CCNode* target) override;
    void update(float time) override;
    CCFiniteTimeAction* reverse() override;

protected:
    float m_angle = 0.0f;
    float m_startAngle = 0.0f;
};

}  // namespace lirava
