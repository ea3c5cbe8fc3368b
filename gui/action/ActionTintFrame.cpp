#include "gui/action/ActionTintFrame.h"

#include "engine/actions/CCTintTo.h"

namespace lirava {

ActionTintFrame* ActionTintFrame::create() {
    ActionTintFrame* frame = new ActionTintFrame();
    frame->autorelease();
    return frame;
}

CCFiniteTimeAction* ActionTintFrame::getAction(float duration) {
    return CCTintTo::create(duration, m_color.r, m_color.g, m_color.b);
}

}  // namespace lirava
