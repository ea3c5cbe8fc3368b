#pragma once

#include "engine/platform/EventPump.h"
#include "engine/render/PageViewport.h"

namespace lirava {

class FrameClock;
class PlatformWindow;
class ScriptStepper;

// Decides when the main loop draws. Headless: a frame every pass, on virtual time. Window mode:
// a frame only when something may have changed (input asked for one, something moves, an
// interval selector is due, the script needs one, the window lost its pixels or changed its page
// area); otherwise it sleeps in the window's event wait until input, the next selector or the
// end of the script's wait, and hands the event that woke it to the pump.
class FramePacer {
public:
    FramePacer(FrameClock& clock, PlatformWindow& window);
    FramePacer(const FramePacer&) = delete;
    FramePacer& operator=(const FramePacer&) = delete;

    // What handled events asked for.
    void absorb(const EventEffect& effect);
    // One pass of the loop, after the pending events were handled.
    void pass(EventPump& pump, const ScriptStepper& script);

private:
    void windowPass(EventPump& pump, const ScriptStepper& script, double interval);
    // A window-mode frame: drawn and presented only when its picture is new or the window needs
    // it drawn again.
    void windowFrame(double interval);
    bool pageAreaChanged() const;

    FrameClock& m_clock;
    PlatformWindow& m_window;
    bool m_frameWanted = true;
    bool m_redraw = true;
    PageViewport m_shownPage;
};

}  // namespace lirava
