#pragma once

#include <climits>
#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/base/CCObject.h"

namespace lirava {

// Repeat count meaning "until unscheduled".
constexpr unsigned int kCCRepeatForever = UINT_MAX - 1;
// Priority of the engine's own per-frame work (the action manager); runs before everything.
constexpr int kCCPrioritySystem = INT_MIN;

// Runs per-frame updates and interval selectors between frames, in a fixed order: updates by
// ascending priority (equal priorities in registration order), then selectors, grouped by
// target in the order targets were first scheduled and, per target, in scheduling order.
//
// Targets are not retained: whoever schedules a target unschedules it before it goes (nodes do
// so in cleanup and in their destructor). Scheduling and unscheduling from inside a callback
// is safe.
class CCScheduler : public CCObject {
public:
    CCScheduler();
    ~CCScheduler() override;

    float getTimeScale() const { return m_timeScale; }
    void setTimeScale(float timeScale) { m_timeScale = timeScale; }

    void update(float dt) override;

    // Calls selector on target every interval seconds (every frame for 0), after an optional
    // first delay, repeat + 1 times or forever. Scheduling a selector that is already scheduled
    // only changes its interval.
    void scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, unsigned int repeat, float delay,
                          bool paused);
    void scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, bool paused);
    void scheduleUpdateForTarget(CCObject* target, int priority, bool paused);
    void unscheduleSelector(SEL_SCHEDULE selector, CCObject* target);
    void unscheduleUpdateForTarget(const CCObject* target);
    // Every selector and the update of the target.
    void unscheduleAllForTarget(CCObject* target);
    void unscheduleAll();
    bool isScheduledForTarget(SEL_SCHEDULE selector, CCObject* target) const;
    bool isUpdateScheduledForTarget(const CCObject* target) const;

    // Seconds of frame time until the next interval selector is due (0 for one that runs every
    // frame or has not started its clock yet), or a negative value when none is scheduled.
    // Paused targets and per-frame updates do not count: a loop that sleeps between frames asks
    // this to know when it must wake.
    double secondsUntilNextTimer() const;

    void pauseTarget(CCObject* target);
    void resumeTarget(CCObject* target);
    bool isTargetPaused(CCObject* target) const;

private:
    struct Timer {
        SEL_SCHEDULE selector;
        float interval;
        float elapsed;  // negative until the first frame after scheduling has started the clock
        unsigned int repeat;
        float delay;
        bool useDelay;
        bool runForever;
        unsigned int timesExecuted;
        bool removed;
    };
    struct TimerTarget {
        CCObject* target;
        bool paused;
        bool removed;
        std::vector<Timer> timers;
    };
    struct UpdateEntry {
        CCObject* target;
        int priority;
        bool paused;
        bool removed;
    };

    TimerTarget* findTimerTarget(const CCObject* target) const;
    void fireTimer(TimerTarget& owner, std::size_t index, float dt);
    void compact();
    void insertUpdate(const UpdateEntry& entry);

    std::vector<UpdateEntry> m_updates;
    std::vector<std::unique_ptr<TimerTarget>> m_timerTargets;
    std::unordered_map<const CCObject*, TimerTarget*> m_timerIndex;
    // Updates registered while update() runs; they join before the next frame.
    std::vector<UpdateEntry> m_pendingUpdates;
    float m_timeScale = 1.0f;
    bool m_updating = false;
    bool m_needsCompaction = false;
};

}  // namespace lirava
