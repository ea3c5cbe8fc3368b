#pragma once

#include <algorithm>

namespace lirava::contents {

// Up and Down scroll the home menu and the page list by one row.
constexpr float kKeyScrollStep = 100.0f;

// Where a key that scrolls a menu at y by delta takes it: between 0 and the menu's drag bound,
// as a drag would. A list shorter than the screen (a bound below 0) has nothing to scroll; a key
// takes it back to its rest at 0 rather than pinning it at the bound as a drag upwards does.
inline float keyScrollTarget(float y, float delta, float bound) {
    const float upper = std::max(bound, 0.0f);
    return std::min(std::max(y + delta, 0.0f), upper);
}

}  // namespace lirava::contents
