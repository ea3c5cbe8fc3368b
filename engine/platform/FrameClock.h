#pragma once

#include <chrono>

namespace lirava {

// The main loop's clock. Real: wall time, with frames paced to the animation interval. Virtual
// (headless): every frame advances time by exactly one animation interval, with no waiting, so
// a run gives the same frames on every machine.
class FrameClock {
public:
    explicit FrameClock(bool virtualTime);

    bool isVirtual() const { return m_virtual; }
    // Seconds since the clock started.
    double now() const;
    // Starts the next frame and returns its time step: exactly `interval` on the virtual clock;
    // on the real clock the time since the previous frame, capped so that a long stall (a
    // minimised window, a debugger) does not make everything jump, unless the loop rested.
    double beginFrame(double interval);
    // The next real frame begins one interval after this one (used after a pause).
    void resetStep();
    // The loop slept on purpose since the current frame, nothing moving: the next step is all
    // the time since then, however long, so that interval selectors keep their real rhythm.
    void rest() { m_rested = true; }
    // Seconds since the clock started at which the current frame began.
    double frameStart() const;
    // Real clock: sleeps until one interval after the start of the current frame.
    void waitForNextFrame(double interval);

    static constexpr double kMaxStep = 0.25;

private:
    using Clock = std::chrono::steady_clock;
    bool m_virtual;
    Clock::time_point m_start;
    Clock::time_point m_frameStart;
    bool m_firstFrame = true;
    bool m_rested = false;
    double m_virtualNow = 0.0;
};

}  // namespace lirava
