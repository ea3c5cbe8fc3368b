#include "gui/action/ActionFrame.h"

#include "engine/base/CCLog.h"

namespace lirava {

ActionFrame* ActionFrame::create() {
    ActionFrame* frame = new ActionFrame();
    frame->autorelease();
    return frame;
}

CCFiniteTimeAction* ActionFrame::getAction(float duration) {
    CCLog("Need a definition of <getAction> for ActionFrame");
    return nullptr;
}

}  // namespace lirava
