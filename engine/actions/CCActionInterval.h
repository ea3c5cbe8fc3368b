#pragma once

#include "engine/actions/CCAction.h"

namespace lirava {

// Base of actions that run over a duration. Progress is elapsed / duration, clamped to 0..1;
// the first step after starting begins the clock at 0, so an action started during a frame
// makes its full motion over the following frames.
class CCActionInterval : public CCFiniteTimeAction {
public:
    bool initWithDuration(float duration);
    float getElapsed() const { return m_elapsed; }

    bool isDone() override;
    void step(float dt) override;
    void startWithTarget(CCNode* target) override;
    CCFiniteTimeAction* reverse() override;

protected:
    float m_elapsed = 0.0f;
    bool m_firstTick = true;
};

}  // namespace lirava
