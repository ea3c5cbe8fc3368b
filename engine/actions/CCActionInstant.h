#pragma once

#include "engine/actions/CCAction.h"

namespace lirava {

// An action that completes in the step it is first run.
class CCActionInstant : public CCFiniteTimeAction {
public:
    bool isDone() override { return true; }
    void step(float dt) override { update(1.0f); }
    CCFiniteTimeAction* reverse() override;
};

}  // namespace lirava
