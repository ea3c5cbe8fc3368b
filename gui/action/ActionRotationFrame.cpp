#include "gui/action/ActionRotationFrame.h"

#include "engine/actions/CCRotateTo.h"

namespace lirava {

ActionRotationFrame* ActionRotationFrame::create() {
    ActionRotationFrame* frame = new ActionRotationFrame();
    frame->autorelease();
    return frame;
}

CCFiniteTimeAction* ActionRotationFrame::getAction(float duration) {
    return CCRotateTo::create(duration, m_rotation);
}

}  // namespace lirava
