#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/actions/CCScheduler.h"

namespace lirava {
namespace {

constexpr float kFrame = 1.0f / 60.0f;

struct Ticker : CCObject {
    std::vector<std::string>* log = nullptr;
    std::string name;
    CCScheduler* scheduler = nullptr;
    int fired = 0;
    void tick(float) {
        ++fired;
        log->push_back(name + " tick");
    }
    void update(float) override { log->push_back(name + " update"); }
    // Unschedules itself and schedules itself again with another interval, the way a
    // self-pacing timer does.
    void repace(float) {
        ++fired;
        scheduler->unscheduleSelector(schedule_selector(Ticker::repace), this);
        scheduler->scheduleSelector(schedule_selector(Ticker::repace), this, 0.2f, false);
    }
};

int framesUntilFired(CCScheduler& scheduler, Ticker& ticker, int limit) {
    for (int frame = 1; frame <= limit; ++frame) {
        scheduler.update(kFrame);
        if (ticker.fired > 0)
            return frame;
    }
    return -1;
}

TEST(Scheduler, IntervalTimersFireAfterTheFirstFrameStartedTheirClock) {
    CCScheduler scheduler;
    std::vector<std::string> log;
    Ticker ticker;
    ticker.log = &log;
    scheduler.scheduleSelector(schedule_selector(Ticker::tick), &ticker, 0.5f, false);
    // One frame starts the clock, then 30 frames of 1/60 s make 0.5 s.
    EXPECT_EQ(framesUntilFired(scheduler, ticker, 100), 31);
    ticker.fired = 0;
    EXPECT_EQ(framesUntilFired(scheduler, ticker, 100), 30);
    scheduler.unscheduleAllForTarget(&ticker);
}

TEST(Scheduler, UpdatesRunByPriorityThenTimersByTarget) {
    CCScheduler scheduler;
    std::vector<std::string> log;
    Ticker a, b, c;
    for (Ticker* t : {&a, &b, &c})
        t->log = &log;
    a.name = "a";
    b.name = "b";
    c.name = "c";
    scheduler.scheduleSelector(schedule_selector(Ticker::tick), &b, 0.0f, false);
    scheduler.scheduleSelector(schedule_selector(Ticker::tick), &a, 0.0f, false);
    scheduler.scheduleUpdateForTarget(&c, 5, false);
    scheduler.scheduleUpdateForTarget(&a, 0, false);
    scheduler.scheduleUpdateForTarget(&b, 0, false);
    scheduler.scheduleUpdateForTarget(&b, -3, false);  // already registered: ignored
    scheduler.update(kFrame);                          // timers only start their clocks
    log.clear();
    scheduler.update(kFrame);
    EXPECT_EQ(log, (std::vector<std::string>{"a update", "b update", "c update", "b tick", "a tick"}));
    scheduler.unscheduleAll();
    log.clear();
    scheduler.update(kFrame);
    EXPECT_TRUE(log.empty());
}

TEST(Scheduler, ATimerMayUnscheduleAndRescheduleItselfWhileFiring) {
    CCScheduler scheduler;
    std::vector<std::string> log;
    Ticker ticker;
    ticker.log = &log;
    ticker.scheduler = &scheduler;
    scheduler.scheduleSelector(schedule_selector(Ticker::repace), &ticker, 0.5f, false);
    EXPECT_EQ(framesUntilFired(scheduler, ticker, 100), 31);
    ticker.fired = 0;
    // The new registration starts its clock in the frame it was made, then runs 0.2 s.
    EXPECT_EQ(framesUntilFired(scheduler, ticker, 100), 12);
    EXPECT_TRUE(scheduler.isScheduledForTarget(schedule_selector(Ticker::repace), &ticker));
    scheduler.unscheduleAllForTarget(&ticker);
    EXPECT_FALSE(scheduler.isScheduledForTarget(schedule_selector(Ticker::repace), &ticker));
}

TEST(Scheduler, PausedTargetsAndRepeatCountsAndDelays) {
    CCScheduler scheduler;
    std::vector<std::string> log;
    Ticker ticker;
    ticker.log = &log;
    scheduler.scheduleSelector(schedule_selector(Ticker::tick), &ticker, 0.0f, 2, 0.0f, false);
    for (int i = 0; i < 10; ++i)
        scheduler.update(kFrame);
    EXPECT_EQ(ticker.fired, 3);  // repeat 2 means three calls
    EXPECT_FALSE(scheduler.isScheduledForTarget(schedule_selector(Ticker::tick), &ticker));

    ticker.fired = 0;
    scheduler.scheduleSelector(schedule_selector(Ticker::tick), &ticker, 0.0f, 0, 0.25f, true);
    for (int i = 0; i < 30; ++i)
        scheduler.update(kFrame);
    EXPECT_EQ(ticker.fired, 0);  // paused
    scheduler.resumeTarget(&ticker);
    EXPECT_EQ(framesUntilFired(scheduler, ticker, 100), 16);  // 1 + 15 frames of delay
    for (int i = 0; i < 30; ++i)
        scheduler.update(kFrame);
    EXPECT_EQ(ticker.fired, 1);
}

TEST(Scheduler, TellsWhenTheNextTimerIsDueSoThatASleepingLoopWakesInTime) {
    CCScheduler scheduler;
    std::vector<std::string> log;
    Ticker watcher, delayed;
    watcher.log = delayed.log = &log;
    EXPECT_LT(scheduler.secondsUntilNextTimer(), 0.0);
    scheduler.scheduleUpdateForTarget(&watcher, 0, false);
    EXPECT_LT(scheduler.secondsUntilNextTimer(), 0.0);  // per-frame updates wake no one

    scheduler.scheduleSelector(schedule_selector(Ticker::tick), &watcher, 0.3f, false);
    EXPECT_EQ(scheduler.secondsUntilNextTimer(), 0.0);  // the next frame starts its clock
    scheduler.update(kFrame);
    EXPECT_NEAR(scheduler.secondsUntilNextTimer(), 0.3, 1e-3);
    scheduler.update(0.1f);
    EXPECT_NEAR(scheduler.secondsUntilNextTimer(), 0.2, 1e-3);
    // One step of exactly that long fires it, as the frames it stands for would have.
    scheduler.update(static_cast<float>(scheduler.secondsUntilNextTimer()));
    EXPECT_EQ(watcher.fired, 1);
    EXPECT_NEAR(scheduler.secondsUntilNextTimer(), 0.3, 1e-3);

    // A first delay counts before the interval; paused targets and time stopped wake no one.
    scheduler.scheduleSelector(schedule_selector(Ticker::tick), &delayed, 1.0f, kCCRepeatForever, 0.05f, false);
    scheduler.update(kFrame);
    EXPECT_NEAR(scheduler.secondsUntilNextTimer(), 0.05, 1e-3);
    scheduler.pauseTarget(&delayed);
    EXPECT_NEAR(scheduler.secondsUntilNextTimer(), 0.3 - kFrame, 1e-3);
    scheduler.setTimeScale(0.5f);
    EXPECT_NEAR(scheduler.secondsUntilNextTimer(), 2 * (0.3 - kFrame), 1e-3);
    scheduler.setTimeScale(0.0f);
    EXPECT_LT(scheduler.secondsUntilNextTimer(), 0.0);
    scheduler.unscheduleAll();
}

}  // namespace
}  // namespace lirava
