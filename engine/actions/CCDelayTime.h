#pragma once

#include "engine/actions/CCActionInterval.h"

namespace lirava {

// Does nothing for its duration; the pause between the steps of a sequence.
class CCDelayTime : public CCActionInterval {
public:
    static CCDelayTime* create(float duration);

    CCObject* copy() override;
    void update(float time) override {}
    CCFiniteTimeAction* reverse() override;
};

}  // namespace lirava
