#pragma once

#include "engine/actions/CCActionInstant.h"

namespace lirava::detail {

// Does nothing, at once. It pads a sequence or spawn made of a single action.
class NoAction : public CCActionInstant {
public:
    static NoAction* create();
    CCObject* copy() override;
    CCFiniteTimeAction* reverse() override;
};

// The length an action takes inside a sequence, spawn or repeat: negative durations count as 0.
float effectiveDuration(const CCFiniteTimeAction* action);

}  // namespace lirava::detail
