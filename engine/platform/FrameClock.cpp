#include "engine/platform/FrameClock.h"

#include <thread>

namespace lirava {

FrameClock::FrameClock(bool virtualTime) : m_virtual(virtualTime), m_start(Clock::now()), m_frameStart(m_start) {}

double FrameClock::now() const {
    if (m_virtual) {
        return m_virtualNow;
    }
    return std::chrono::duration<double>(Clock::now() - m_start).count();
}

double FrameClock::beginFrame(double interval) {
    if (m_virtual) {
        m_virtualNow += interval;
        return interval;
    }
    const Clock::time_point now = Clock::now();
    double step = std::chrono::duration<double>(now - m_frameStart).count();
    m_frameStart = now;
    if (m_firstFrame) {
        m_firstFrame = false;
        step = interval;
    }
    if (step > kMaxStep && !m_rested) {
        step = kMaxStep;
    }
    m_rested = false;
    if (step < 0.0) {
        step = 0.0;
    }
    return step;
}

double FrameClock::frameStart() const {
    if (m_virtual) {
        return m_virtualNow;
    }
    return std::chrono::duration<double>(m_frameStart - m_start).count();
}

void FrameClock::resetStep() {
    m_firstFrame = true;
}

void FrameClock::waitForNextFrame(double interval) {
    if (m_virtual) {
        return;
    }
    const Clock::time_point due =
        m_frameStart + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(interval));
    std::this_thread::sleep_until(due);
}

}  // namespace lirava
