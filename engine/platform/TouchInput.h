#pragma once

#include "engine/base/CCGeometry.h"

namespace lirava {

class CCTouch;

// Turns the mouse into touch id 0: button down begins a touch, motion with the button down moves
// it, button up ends it. Points are in design coordinates. Touches go to the shared director's
// touch dispatcher.
class TouchInput {
public:
    TouchInput() = default;
    ~TouchInput();
    TouchInput(const TouchInput&) = delete;
    TouchInput& operator=(const TouchInput&) = delete;

    // A press while a touch is down first ends that touch where it was.
    void press(const CCPoint& location);
    // Ignored while no touch is down.
    void move(const CCPoint& location);
    void release(const CCPoint& location);
    // The touch is cancelled (focus lost, window minimised).
    void cancel();
    bool isDown() const { return m_touch != nullptr; }

private:
    enum class Phase { Began, Moved, Ended, Cancelled };
    void send(Phase phase);
    CCTouch* m_touch = nullptr;
};

}  // namespace lirava
