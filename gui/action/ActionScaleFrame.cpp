#include "gui/action/ActionScaleFrame.h"

#include "engine/actions/CCScaleTo.h"

namespace lirava {

ActionScaleFrame* ActionScaleFrame::create() {
    ActionScaleFrame* frame = new ActionScaleFrame();
    frame->autorelease();
    return frame;
}

CCFiniteTimeAction* ActionScaleFrame::getAction(float duration) {
    return CCScaleTo::create(duration, m_scaleX, m_scaleY);
}

}  // namespace lirava
