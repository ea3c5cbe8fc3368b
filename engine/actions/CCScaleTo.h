#pragma once

#include "engine/actions/CCActionInterval.h"

namespace lirava {

// Scales the target to absolute x and y scales from its scales when the action starts.
class CCScaleTo : public CCActionInterval {
public:
    static CCScaleTo* create(float duration, float scale);
    static CCScaleTo* create(float duration, float scaleX, float scaleY);
    bool initWithDuration(float duration, float scaleX, float scaleY);

    CCObject* copy() override;
    void startWithTarget(CCNode* target) override;
    void update(float time) override;
    CCFiniteTimeAction* reverse() override { return nullptr; }

protected:
    float m_startScaleX = 1.0f;
    float m_startScaleY = 1.0f;
    float m_endScaleX = 1.0f;
    float m_endScaleY = 1.0f;
    float m_deltaX = 0.0f;
    float m_deltaY = 0.0f;
};

}  // namespace lirava
