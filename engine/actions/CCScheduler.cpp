#include "engine/actions/CCScheduler.h"

#include <algorithm>

namespace lirava {

namespace {
// Interval timers compare against their interval with a little slack so that a 0.5 s timer
// driven by 1/60 s frames fires after exactly 30 frames, not 31 because of float rounding.
constexpr float kIntervalSlack = 1e-4f;
}  // namespace

CCScheduler::CCScheduler() = default;

CCScheduler::~CCScheduler() = default;

CCScheduler::TimerTarget* CCScheduler::findTimerTarget(const CCObject* target) const {
    auto it = m_timerIndex.find(target);
    return it == m_timerIndex.end() ? nullptr : it->second;
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, bool paused) {
    scheduleSelector(selector, target, interval, kCCRepeatForever, 0.0f, paused);
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, unsigned int repeat,
                                   float delay, bool paused) {
    if (!selector || !target) {
        return;
    }
    TimerTarget* owner = findTimerTarget(target);
    if (!owner) {
        m_timerTargets.push_back(std::make_unique<TimerTarget>(TimerTarget{target, paused, false, {}}));
        owner = m_timerTargets.back().get();
        m_timerIndex[target] = owner;
    }
    for (Timer& timer : owner->timers) {
        if (!timer.removed && timer.selector == selector) {
            timer.interval = interval;
            return;
        }
    }
    Timer timer{};
    timer.selector = selector;
    timer.interval = interval;
    timer.elapsed = -1.0f;
    timer.repeat = repeat;
    timer.delay = delay;
    timer.useDelay = delay > 0.0f;
    timer.runForever = repeat == kCCRepeatForever;
    owner->timers.push_back(timer);
}

void CCScheduler::unscheduleSelector(SEL_SCHEDULE selector, CCObject* target) {
    TimerTarget* owner = findTimerTarget(target);
    if (!owner || !selector) {
        return;
    }
    for (std::size_t i = 0; i < owner->timers.size(); ++i) {
        Timer& timer = owner->timers[i];
        if (!timer.removed && timer.selector == selector) {
            if (m_updating) {
                timer.removed = true;
                m_needsCompaction = true;
            } else {
                owner->timers.erase(owner->timers.begin() + static_cast<long>(i));
            }
            break;
        }
    }
    if (!m_updating && owner->timers.empty()) {
        m_timerIndex.erase(target);
        m_timerTargets.erase(std::find_if(m_timerTargets.begin(), m_timerTargets.end(),
                                          [owner](const std::unique_ptr<TimerTarget>& t) { return t.get() == owner; }));
    }
}

void CCScheduler::insertUpdate(const UpdateEntry& entry) {
    auto position = std::upper_bound(m_updates.begin(), m_updates.end(), entry.priority,
                                     [](int priority, const UpdateEntry& e) { return priority < e.priority; });
    m_updates.insert(position, entry);
}

void CCScheduler::scheduleUpdateForTarget(CCObject* target, int priority, bool paused) {
    if (!target || isUpdateScheduledForTarget(target)) {
        return;
    }
    const UpdateEntry entry{target, priority, paused, false};
    if (m_updating) {
        m_pendingUpdates.push_back(entry);
    } else {
        insertUpdate(entry);
    }
}

void CCScheduler::unscheduleUpdateForTarget(const CCObject* target) {
    for (auto list : {&m_updates, &m_pendingUpdates}) {
        for (std::size_t i = 0; i < list->size(); ++i) {
            UpdateEntry& entry = (*list)[i];
            if (!entry.removed && entry.target == target) {
                if (m_updating) {
                    entry.removed = true;
                    m_needsCompaction = true;
                } else {
                    list->erase(list->begin() + static_cast<long>(i));
                }
                return;
            }
        }
    }
}

void CCScheduler::unscheduleAllForTarget(CCObject* target) {
    if (!target) {
        return;
    }
    if (TimerTarget* owner = findTimerTarget(target)) {
        if (m_updating) {
            for (Timer& timer : owner->timers) {
                timer.removed = true;
            }
            owner->removed = true;
            m_needsCompaction = true;
            // The index entry goes now, so a new registration during this frame starts afresh.
            m_timerIndex.erase(target);
        } else {
            m_timerIndex.erase(target);
            m_timerTargets.erase(
                std::find_if(m_timerTargets.begin(), m_timerTargets.end(),
                             [owner](const std::unique_ptr<TimerTarget>& t) { return t.get() == owner; }));
        }
    }
    unscheduleUpdateForTarget(target);
}

void CCScheduler::unscheduleAll() {
    std::vector<CCObject*> targets;
    for (const auto& owner : m_timerTargets) {
        if (!owner->removed) {
            targets.push_back(owner->target);
        }
    }
    for (const UpdateEntry& entry : m_updates) {
        targets.push_back(entry.target);
    }
    for (const UpdateEntry& entry : m_pendingUpdates) {
        targets.push_back(entry.target);
    }
    for (CCObject* target : targets) {
        unscheduleAllForTarget(target);
    }
}

bool CCScheduler::isScheduledForTarget(SEL_SCHEDULE selector, CCObject* target) const {
    const TimerTarget* owner = findTimerTarget(target);
    if (!owner) {
        return false;
    }
    return std::any_of(owner->timers.begin(), owner->timers.end(),
                       [selector](const Timer& t) { return !t.removed && t.selector == selector; });
}

bool CCScheduler::isUpdateScheduledForTarget(const CCObject* target) const {
    auto matches = [target](const UpdateEntry& e) { return !e.removed && e.target == target; };
    return std::any_of(m_updates.begin(), m_updates.end(), matches) ||
           std::any_of(m_pendingUpdates.begin(), m_pendingUpdates.end(), matches);
}

double CCScheduler::secondsUntilNextTimer() const {
    if (!(m_timeScale > 0.0f)) {
        return -1.0;
    }
    double next = -1.0;
    for (const auto& owner : m_timerTargets) {
        if (owner->removed || owner->paused) {
            continue;
        }
        for (const Timer& timer : owner->timers) {
            if (timer.removed) {
                continue;
            }
            double due = 0.0;
            if (timer.elapsed >= 0.0f) {
                const float target = timer.useDelay ? timer.delay : timer.interval;
                // The same slack that fireTimer grants.
                due = std::max(0.0, static_cast<double>(target - kIntervalSlack - timer.elapsed) / m_timeScale);
            }
            if (next < 0.0 || due < next) {
                next = due;
            }
        }
    }
    return next;
}

void CCScheduler::pauseTarget(CCObject* target) {
    if (TimerTarget* owner = findTimerTarget(target)) {
        owner->paused = true;
    }
    for (auto list : {&m_updates, &m_pendingUpdates}) {
        for (UpdateEntry& entry : *list) {
            if (entry.target == target) {
                entry.paused = true;
            }
        }
    }
}

void CCScheduler::resumeTarget(CCObject* target) {
    if (TimerTarget* owner = findTimerTarget(target)) {
        owner->paused = false;
    }
    for (auto list : {&m_updates, &m_pendingUpdates}) {
        for (UpdateEntry& entry : *list) {
            if (entry.target == target) {
                entry.paused = false;
            }
        }
    }
}

bool CCScheduler::isTargetPaused(CCObject* target) const {
    if (const TimerTarget* owner = findTimerTarget(target)) {
        return owner->paused;
    }
    for (const UpdateEntry& entry : m_updates) {
        if (entry.target == target) {
            return entry.paused;
        }
    }
    return false;
}

void CCScheduler::fireTimer(TimerTarget& owner, std::size_t index, float dt) {
    // The timers vector may grow while the selector runs; never hold a reference across it.
    auto timer = [&owner, index]() -> Timer& { return owner.timers[index]; };
    if (timer().elapsed < 0.0f) {
        // The first frame after scheduling only starts the clock.
        timer().elapsed = 0.0f;
        timer().timesExecuted = 0;
        return;
    }
    timer().elapsed += dt;
    bool fire = false;
    if (timer().useDelay) {
        if (timer().elapsed + kIntervalSlack >= timer().delay) {
            fire = true;
        }
    } else if (timer().elapsed + kIntervalSlack >= timer().interval) {
        fire = true;
    }
    if (!fire) {
        return;
    }
    const float elapsed = timer().elapsed;
    const SEL_SCHEDULE selector = timer().selector;
    if (timer().useDelay) {
        timer().elapsed -= timer().delay;
        timer().useDelay = false;
    } else {
        timer().elapsed = 0.0f;
    }
    ++timer().timesExecuted;
    const bool finished = !timer().runForever && timer().timesExecuted > timer().repeat;
    (owner.target->*selector)(elapsed);
    if (finished && index < owner.timers.size() && !owner.timers[index].removed &&
        owner.timers[index].selector == selector) {
        owner.timers[index].removed = true;
        m_needsCompaction = true;
    }
}

void CCScheduler::update(float dt) {
    m_updating = true;
    if (m_timeScale != 1.0f) {
        dt *= m_timeScale;
    }
    for (std::size_t i = 0; i < m_updates.size(); ++i) {
        const UpdateEntry entry = m_updates[i];
        if (!entry.removed && !entry.paused) {
            entry.target->update(dt);
        }
    }
    // Targets added while iterating are visited from the next frame on: their vectors only grow
    // at the end, so indices stay valid.
    const std::size_t targetCount = m_timerTargets.size();
    for (std::size_t t = 0; t < targetCount; ++t) {
        TimerTarget& owner = *m_timerTargets[t];
        if (owner.removed || owner.paused) {
            continue;
        }
        for (std::size_t i = 0; i < owner.timers.size(); ++i) {
            if (owner.removed || owner.paused) {
                break;
            }
            if (!owner.timers[i].removed) {
                fireTimer(owner, i, dt);
            }
        }
    }
    m_updating = false;
    compact();
}

void CCScheduler::compact() {
    if (m_needsCompaction) {
        m_needsCompaction = false;
        m_updates.erase(
            std::remove_if(m_updates.begin(), m_updates.end(), [](const UpdateEntry& e) { return e.removed; }),
            m_updates.end());
        m_pendingUpdates.erase(std::remove_if(m_pendingUpdates.begin(), m_pendingUpdates.end(),
                                              [](const UpdateEntry& e) { return e.removed; }),
                               m_pendingUpdates.end());
        for (auto& owner : m_timerTargets) {
            owner->timers.erase(
                std::remove_if(owner->timers.begin(), owner->timers.end(), [](const Timer& t) { return t.removed; }),
                owner->timers.end());
            if (owner->timers.empty()) {
                owner->removed = true;
            }
        }
        for (auto it = m_timerTargets.begin(); it != m_timerTargets.end();) {
            if ((*it)->removed) {
                auto indexed = m_timerIndex.find((*it)->target);
                if (indexed != m_timerIndex.end() && indexed->second == it->get()) {
                    m_timerIndex.erase(indexed);
                }
                it = m_timerTargets.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (const UpdateEntry& entry : m_pendingUpdates) {
        insertUpdate(entry);
    }
    m_pendingUpdates.clear();
}

}  // namespace lirava
