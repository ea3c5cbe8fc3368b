#include "gui/action/ActionMoveFrame.h"

#include "engine/actions/CCMoveTo.h"

namespace lirava {

ActionMoveFrame* ActionMoveFrame::create() {
    ActionMoveFrame* frame = new ActionMoveFrame();
    frame->autorelease();
    return frame;
}

CCFiniteTimeAction* ActionMoveFrame::getAction(float duration) {
    return CCMoveTo::create(duration, m_position);
}

}  // namespace lirava
