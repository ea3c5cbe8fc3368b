#pragma once

#include <cstddef>
#include <vector>

#include "engine/actions/NoAction.h"

namespace lirava {

class CCArray;

namespace detail {

// The finite-time actions among an array's objects, in order; other objects are skipped.
std::vector<CCFiniteTimeAction*> finiteActionsIn(CCArray* actions);

// Builds a list of actions as nested pairs, ((a, b), c) and so on, with
// Pair::createWithTwoActions; a single action is paired with a NoAction. Null for no actions.
template <class Pair>
Pair* pairUp(const std::vector<CCFiniteTimeAction*>& actions) {
    if (actions.empty()) {
        return nullptr;
    }
    if (actions.size() == 1) {
        return Pair::createWithTwoActions(actions[0], NoAction::create());
    }
    Pair* pair = Pair::createWithTwoActions(actions[0], actions[1]);
    for (std::size_t i = 2; i < actions.size(); ++i) {
        pair = Pair::createWithTwoActions(pair, actions[i]);
    }
    return pair;
}

}  // namespace detail
}  // namespace lirava
