#include "gui/widgets/ScrollingLayout.h"

#include "engine/actions/CCScheduler.h"

namespace lirava {

bool ScrollingLayout::init() {
    if (!Layout::init()) {
        return false;
    }
    m_scheduler->scheduleUpdateForTarget(this, 0, false);
    setClippingEnabled(true);
    return true;
}

void ScrollingLayout::onEnter() {
    // A container taken off its parent loses its per-frame update; one put back gets it again.
    if (m_scheduler && !m_scheduler->isUpdateScheduledForTarget(this)) {
        m_scheduler->scheduleUpdateForTarget(this, 0, false);
    }
    Layout::onEnter();
}

void ScrollingLayout::onTouchBegan(const CCPoint& point) {
    Layout::onTouchBegan(point);
    handlePress(point);
}

void ScrollingLayout::onTouchMoved(const CCPoint& point) {
    Layout::onTouchMoved(point);
    handleMove(point);
}

void ScrollingLayout::onTouchEnded(const CCPoint& point) {
    Layout::onTouchEnded(point);
    handleRelease(point);
}

void ScrollingLayout::onChildTouchEvent(int phase, UIWidget* sender, const CCPoint& point) {
    interceptChildTouch(phase, sender, point);
}

void ScrollingLayout::interceptChildTouch(int phase, UIWidget* sender, const CCPoint& point) {
    switch (phase) {
        case TOUCH_EVENT_BEGAN:
            handlePress(point);
            break;
        case TOUCH_EVENT_MOVED:
            if (!sender || !takesOverChildDrag(*sender, point)) {
                break;
            }
            if (sender->isFocused()) {
                sender->setFocused(false);
            }
            handleMove(point);
            break;
        case TOUCH_EVENT_ENDED:
            handleRelease(point);
            break;
        default:
            break;
    }
}

}  // namespace lirava
