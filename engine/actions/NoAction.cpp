#include "engine/actions/NoAction.h"

#include <algorithm>

namespace lirava::detail {

NoAction* NoAction::create() {
    NoAction* action = new NoAction();
    action->autorelease();
    return action;
}

CCObject* NoAction::copy() {
    return new NoAction();
}

CCFiniteTimeAction* NoAction::reverse() {
    return create();
}

float effectiveDuration(const CCFiniteTimeAction* action) {
    return std::max(0.0f, action->getDuration());
}

}  // namespace lirava::detail
