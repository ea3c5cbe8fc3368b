#pragma once

#include <functional>

#include "engine/platform/TouchInput.h"

namespace lirava {

class PlatformWindow;
struct PlatformEvent;

// What handling one event asks of the next frame.
struct EventEffect {
    // The event may change the picture: a frame should follow.
    bool wantsFrame = false;
    // The window lost its pixels (exposed, restored): the next frame is drawn whatever it shows.
    bool redraw = false;
};

// Turns the window's events into what the program sees: touches, keys, text, window size and
// full screen, minimise and restore. It keeps the state that outlives one event (the mouse's
// touch, whether the window is minimised, whether it was closed). A new kind of event is one
// more case in handle().
class EventPump {
public:
    // Called as the window is minimised and restored (not for repeated reports of either).
    struct Hooks {
        std::function<void()> enteredBackground;
        std::function<void()> enteredForeground;
    };

    explicit EventPump(Hooks hooks);
    EventPump(const EventPump&) = delete;
    EventPump& operator=(const EventPump&) = delete;

    EventEffect handle(const PlatformEvent& event);
    // Handles every pending event, stopping after one that closes the window; the effects add up.
    EventEffect drain(PlatformWindow& window);

    bool quitRequested() const { return m_quit; }
    // Stops the loop as a closed window would (a launch that failed).
    void requestQuit() { m_quit = true; }
    // A mouse that moves with no button down: it changes nothing on screen.
    bool isHover(const PlatformEvent& event) const;
    // Ends the mouse's touch, if one is down (shutdown).
    void cancelTouches() { m_touches.cancel(); }

private:
    Hooks m_hooks;
    TouchInput m_touches;
    bool m_minimized = false;
    bool m_quit = false;
};

}  // namespace lirava
