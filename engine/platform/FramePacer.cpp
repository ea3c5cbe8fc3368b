#include "engine/platform/FramePacer.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "engine/actions/CCScheduler.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/FrameClock.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/platform/ScriptStepper.h"

namespace lirava {

namespace {

bool samePageArea(const PageViewport& a, const PageViewport& b) {
    return a.areaWidth == b.areaWidth && a.areaHeight == b.areaHeight && a.x == b.x && a.y == b.y &&
           a.width == b.width && a.height == b.height;
}

// How long a resting window-mode loop sleeps in the event wait: until the first of the times
// given (negative ones are none), at least a millisecond and at most a second; waking with
// nothing to do costs nothing.
int restMilliseconds(double now, std::initializer_list<double> times) {
    double until = now + 1.0;
    for (const double at : times) {
        if (at >= 0.0 && at < until) {
            until = at;
        }
    }
    return std::max(1, static_cast<int>(std::ceil((until - now) * 1000.0)));
}

}  // namespace

FramePacer::FramePacer(FrameClock& clock, PlatformWindow& window)
    : m_clock(clock), m_window(window), m_shownPage(CCEGLView::sharedOpenGLView()->getPageViewport()) {}

void FramePacer::absorb(const EventEffect& effect) {
    m_frameWanted = m_frameWanted || effect.wantsFrame;
    m_redraw = m_redraw || effect.redraw;
}

bool FramePacer::pageAreaChanged() const {
    return !samePageArea(CCEGLView::sharedOpenGLView()->getPageViewport(), m_shownPage);
}

void FramePacer::pass(EventPump& pump, const ScriptStepper& script) {
    CCDirector* director = CCDirector::sharedDirector();
    const double interval = director->getAnimationInterval();
    if (!m_clock.isVirtual()) {
        windowPass(pump, script, interval);
        return;
    }
    // Headless: every frame is drawn, on virtual time.
    if (director->isAnimating()) {
        director->mainLoop(m_clock.beginFrame(interval));
    } else {
        // Nothing is drawn, but time goes on for the script's waits.
        m_clock.beginFrame(interval);
        CCPoolManager::sharedPoolManager()->pop();
    }
}

void FramePacer::windowPass(EventPump& pump, const ScriptStepper& script, double interval) {
    CCDirector* director = CCDirector::sharedDirector();
    const double scriptResumes = script.waitingUntil();
    if (script.needsFrame()) {
        m_frameWanted = true;  // the script's next step needs a frame to have passed
    }
    const double sinceFrame = m_clock.now() - m_clock.frameStart();
    const double timerDue = director->getScheduler()->secondsUntilNextTimer();
    m_redraw = m_redraw || pageAreaChanged();
    const bool frameDue =
        m_frameWanted || m_redraw || director->isPictureMoving() || (timerDue >= 0.0 && timerDue <= sinceFrame);
    if (director->isAnimating() && frameDue) {
        m_frameWanted = false;
        windowFrame(interval);
        m_clock.waitForNextFrame(interval);
        return;
    }
    // Nothing moves (or the window is minimised): sleep until input comes, an interval selector is
    // due or the script's wait ends. A script's frames pass while minimised too, one interval each.
    const double now = m_clock.now();
    const double timerAt = director->isAnimating() && timerDue >= 0.0 ? m_clock.frameStart() + timerDue : -1.0;
    const double frameAt = m_frameWanted ? now + interval : -1.0;
    m_frameWanted = false;
    if (director->isAnimating()) {
        m_clock.rest();
    } else {
        m_clock.resetStep();
    }
    PlatformEvent event;
    if (m_window.waitEvent(event, restMilliseconds(now, {timerAt, scriptResumes, frameAt}))) {
        // The time slept passes before the input comes, in a frame of its own, so that what the
        // input starts takes its first step from a short frame, as in a loop that never rested.
        if (director->isAnimating() && !pump.isHover(event)) {
            windowFrame(interval);
        }
        absorb(pump.handle(event));
    }
    CCPoolManager::sharedPoolManager()->pop();
}

void FramePacer::windowFrame(double interval) {
    const PageViewport page = CCEGLView::sharedOpenGLView()->getPageViewport();
    m_redraw = m_redraw || !samePageArea(page, m_shownPage);
    if (CCDirector::sharedDirector()->drawSceneWhenChanged(m_clock.beginFrame(interval), m_redraw)) {
        m_shownPage = page;
        m_redraw = false;
    }
    CCPoolManager::sharedPoolManager()->pop();
}

}  // namespace lirava
