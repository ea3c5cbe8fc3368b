#include "engine/platform/TouchInput.h"

#include "engine/base/CCSet.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCTouch.h"
#include "engine/platform/CCTouchDispatcher.h"

namespace lirava {

namespace {
constexpr int kMouseTouchId = 0;
}

TouchInput::~TouchInput() {
    CC_SAFE_RELEASE(m_touch);
}

void TouchInput::press(const CCPoint& location) {
    if (m_touch) {
        release(m_touch->getLocation());
    }
    m_touch = new CCTouch();
    m_touch->setTouchInfo(kMouseTouchId, location);
    send(Phase::Began);
}

void TouchInput::move(const CCPoint& location) {
    if (!m_touch) {
        return;
    }
    m_touch->setTouchInfo(kMouseTouchId, location);
    send(Phase::Moved);
}

void TouchInput::release(const CCPoint& location) {
    if (!m_touch) {
        return;
    }
    m_touch->setTouchInfo(kMouseTouchId, location);
    send(Phase::Ended);
    CC_SAFE_RELEASE_NULL(m_touch);
}

void TouchInput::cancel() {
    if (!m_touch) {
        return;
    }
    send(Phase::Cancelled);
    CC_SAFE_RELEASE_NULL(m_touch);
}

void TouchInput::send(Phase phase) {
    // Fresh set and event per delivery, released with the frame's pool.
    CCSet* touches = CCSet::create();
    touches->addObject(m_touch);
    CCEvent* event = new CCEvent();
    event->autorelease();
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    switch (phase) {
        case Phase::Began:
            dispatcher->touchesBegan(touches, event);
            break;
        case Phase::Moved:
            dispatcher->touchesMoved(touches, event);
            break;
        case Phase::Ended:
            dispatcher->touchesEnded(touches, event);
            break;
        case Phase::Cancelled:
            dispatcher->touchesCancelled(touches, event);
            break;
    }
}

}  // namespace lirava
