#include "gui/action/ActionFadeFrame.h"

#include <cmath>
#include <cstdint>

#include "engine/actions/CCFadeTo.h"

namespace lirava {

ActionFadeFrame* ActionFadeFrame::create() {
    ActionFadeFrame* frame = new ActionFadeFrame();
    frame->autorelease();
    return frame;
}

std::uint8_t ActionFadeFrame::getTargetOpacity() const {
    // Converting a float beyond the integer range is undefined, so go through a wide integer and
    // give up on values that do not fit even there (they never come from a document's integers).
    const double truncated = std::trunc(static_cast<double>(m_opacity));
    if (!(std::fabs(truncated) < 9.0e18)) {
        return 0;
    }
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(truncated)) & 0xFFu);
}

CCFiniteTimeAction* ActionFadeFrame::getAction(float duration) {
    return CCFadeTo::create(duration, getTargetOpacity());
}

}  // namespace lirava
