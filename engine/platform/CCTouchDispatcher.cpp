#include "engine/platform/CCTouchDispatcher.h"

#include <algorithm>

#include "engine/base/CCSet.h"
#include "engine/platform/CCTouch.h"
#include "engine/platform/CCTouchDelegate.h"

namespace lirava {

struct CCTouchDispatcher::Handler {
    CCTouchDelegate* delegate = nullptr;
    CCObject* object = nullptr;  // the delegate as a retained CCObject, if it is one
    int priority = 0;
    std::uint64_t sequence = 0;  // registration order among equal priorities
    bool targeted = false;
    bool swallows = false;
    // Targeted: the touches this handler claimed. Standard: the touches it got at their start.
    std::vector<CCTouch*> touches;

    ~Handler() { CC_SAFE_RELEASE(object); }
    bool has(const CCTouch* touch) const { return std::find(touches.begin(), touches.end(), touch) != touches.end(); }
    void drop(const CCTouch* touch) {
        touches.erase(std::remove(touches.begin(), touches.end(), touch), touches.end());
    }
};

struct CCTouchDispatcher::PendingChange {
    enum class Kind { Add, Remove, RemoveAll, Priority };
    Kind kind;
    std::unique_ptr<Handler> handler;  // Add
    CCTouchDelegate* delegate;         // Remove, Priority
    int priority;                      // Priority
};

namespace {

CCObject* retainedObject(CCTouchDelegate* delegate) {
    CCObject* object = dynamic_cast<CCObject*>(delegate);
    CC_SAFE_RETAIN(object);
    return object;
}

// Keeps the set of touches and the event alive through a dispatch even if a handler drops the
// last outside reference to them.
class KeepAlive {
public:
    explicit KeepAlive(CCObject* object) : m_object(object) { CC_SAFE_RETAIN(m_object); }
    ~KeepAlive() { CC_SAFE_RELEASE(m_object); }
    KeepAlive(const KeepAlive&) = delete;
    KeepAlive& operator=(const KeepAlive&) = delete;

private:
    CCObject* m_object;
};

}  // namespace

CCTouchDispatcher::CCTouchDispatcher() = default;

CCTouchDispatcher::~CCTouchDispatcher() {
    for (CCTouch* touch : m_activeTouches) {
        touch->release();
    }
}

bool CCTouchDispatcher::isRegistered(const CCTouchDelegate* delegate) const {
    return find(delegate) != nullptr;
}

CCTouchDispatcher::Handler* CCTouchDispatcher::find(const CCTouchDelegate* delegate) const {
    for (const auto* list : {&m_targeted, &m_standard}) {
        for (const std::unique_ptr<Handler>& handler : *list) {
            if (handler->delegate == delegate) {
                return handler.get();
            }
        }
    }
    return nullptr;
}

void CCTouchDispatcher::addStandardDelegate(CCTouchDelegate* delegate, int priority) {
    if (!delegate) {
        return;
    }
    auto handler = std::make_unique<Handler>();
    handler->delegate = delegate;
    handler->object = retainedObject(delegate);
    handler->priority = priority;
    handler->sequence = m_nextSequence++;
    add(std::move(handler));
}

void CCTouchDispatcher::addTargetedDelegate(CCTouchDelegate* delegate, int priority, bool swallowsTouches) {
    if (!delegate) {
        return;
    }
    auto handler = std::make_unique<Handler>();
    handler->delegate = delegate;
    handler->object = retainedObject(delegate);
    handler->priority = priority;
    handler->sequence = m_nextSequence++;
    handler->targeted = true;
    handler->swallows = swallowsTouches;
    add(std::move(handler));
}

void CCTouchDispatcher::add(std::unique_ptr<Handler> handler) {
    if (m_dispatchDepth > 0) {
        m_pending.push_back(PendingChange{PendingChange::Kind::Add, std::move(handler), nullptr, 0});
        return;
    }
    if (find(handler->delegate)) {
        return;
    }
    auto& list = handler->targeted ? m_targeted : m_standard;
    // After every handler with a priority not above the new one: equal priorities keep
    // registration order.
    auto at = std::upper_bound(list.begin(), list.end(), handler->priority,
                               [](int priority, const std::unique_ptr<Handler>& h) { return priority < h->priority; });
    list.insert(at, std::move(handler));
}

void CCTouchDispatcher::removeDelegate(CCTouchDelegate* delegate) {
    if (!delegate) {
        return;
    }
    if (m_dispatchDepth > 0) {
        m_pending.push_back(PendingChange{PendingChange::Kind::Remove, nullptr, delegate, 0});
        return;
    }
    remove(delegate);
}

void CCTouchDispatcher::remove(CCTouchDelegate* delegate) {
    for (auto* list : {&m_targeted, &m_standard}) {
        for (auto it = list->begin(); it != list->end(); ++it) {
            if ((*it)->delegate == delegate) {
                // Take it out of the list before releasing: the release may destroy the delegate,
                // whose destructor may come back here.
                std::unique_ptr<Handler> handler = std::move(*it);
                list->erase(it);
                return;
            }
        }
    }
}

void CCTouchDispatcher::removeAllDelegates() {
    if (m_dispatchDepth > 0) {
        m_pending.push_back(PendingChange{PendingChange::Kind::RemoveAll, nullptr, nullptr, 0});
        return;
    }
    std::vector<std::unique_ptr<Handler>> targeted;
    std::vector<std::unique_ptr<Handler>> standard;
    targeted.swap(m_targeted);
    standard.swap(m_standard);
}

void CCTouchDispatcher::setPriority(int priority, CCTouchDelegate* delegate) {
    if (!delegate) {
        return;
    }
    if (m_dispatchDepth > 0) {
        m_pending.push_back(PendingChange{PendingChange::Kind::Priority, nullptr, delegate, priority});
        return;
    }
    changePriority(delegate, priority);
}

void CCTouchDispatcher::changePriority(CCTouchDelegate* delegate, int priority) {
    for (auto* list : {&m_targeted, &m_standard}) {
        for (std::unique_ptr<Handler>& handler : *list) {
            if (handler->delegate == delegate) {
                handler->priority = priority;
                std::stable_sort(list->begin(), list->end(),
                                 [](const std::unique_ptr<Handler>& a, const std::unique_ptr<Handler>& b) {
                                     return a->priority != b->priority ? a->priority < b->priority
                                                                       : a->sequence < b->sequence;
                                 });
                return;
            }
        }
    }
}

void CCTouchDispatcher::applyPendingChanges() {
    // Applying a change can run delegate destructors, which may queue nothing (we are no longer
    // dispatching) but may remove further delegates directly; both are fine.
    std::vector<PendingChange> pending;
    pending.swap(m_pending);
    for (PendingChange& change : pending) {
        switch (change.kind) {
            case PendingChange::Kind::Add:
                add(std::move(change.handler));
                break;
            case PendingChange::Kind::Remove:
                remove(change.delegate);
                break;
            case PendingChange::Kind::RemoveAll:
                removeAllDelegates();
                break;
            case PendingChange::Kind::Priority:
                changePriority(change.delegate, change.priority);
                break;
        }
    }
}

void CCTouchDispatcher::setDispatchEvents(bool dispatchEvents) {
    if (m_dispatchEvents == dispatchEvents) {
        return;
    }
    m_dispatchEvents = dispatchEvents;
    if (!dispatchEvents) {
        if (m_dispatchDepth > 0) {
            m_cancelPending = true;
        } else {
            cancelActiveTouches();
        }
    }
}

bool CCTouchDispatcher::isActive(const CCTouch* touch) const {
    return std::find(m_activeTouches.begin(), m_activeTouches.end(), touch) != m_activeTouches.end();
}

void CCTouchDispatcher::forgetTouch(CCTouch* touch) {
    auto it = std::find(m_activeTouches.begin(), m_activeTouches.end(), touch);
    if (it == m_activeTouches.end()) {
        return;
    }
    m_activeTouches.erase(it);
    for (auto* list : {&m_targeted, &m_standard}) {
        for (std::unique_ptr<Handler>& handler : *list) {
            handler->drop(touch);
        }
    }
    touch->release();
}

void CCTouchDispatcher::cancelActiveTouches() {
    if (m_activeTouches.empty()) {
        return;
    }
    CCEvent* event = new CCEvent();
    KeepAlive keepEvent(event);
    event->release();
    ++m_dispatchDepth;
    for (std::unique_ptr<Handler>& handler : m_targeted) {
        std::vector<CCTouch*> claimed;
        claimed.swap(handler->touches);
        for (CCTouch* touch : claimed) {
            handler->delegate->ccTouchCancelled(touch, event);
        }
    }
    for (std::unique_ptr<Handler>& handler : m_standard) {
        if (handler->touches.empty()) {
            continue;
        }
        CCSet* set = new CCSet();
        KeepAlive keepSet(set);
        set->release();
        for (CCTouch* touch : handler->touches) {
            set->addObject(touch);
        }
        handler->touches.clear();
        handler->delegate->ccTouchesCancelled(set, event);
    }
    --m_dispatchDepth;
    std::vector<CCTouch*> active;
    active.swap(m_activeTouches);
    for (CCTouch* touch : active) {
        touch->release();
    }
    if (m_dispatchDepth == 0) {
        applyPendingChanges();
    }
}

void CCTouchDispatcher::touchesBegan(CCSet* touches, CCEvent* event) {
    dispatch(Phase::Began, touches, event);
}

void CCTouchDispatcher::touchesMoved(CCSet* touches, CCEvent* event) {
    dispatch(Phase::Moved, touches, event);
}

void CCTouchDispatcher::touchesEnded(CCSet* touches, CCEvent* event) {
    dispatch(Phase::Ended, touches, event);
}

void CCTouchDispatcher::touchesCancelled(CCSet* touches, CCEvent* event) {
    dispatch(Phase::Cancelled, touches, event);
}

void CCTouchDispatcher::dispatch(Phase phase, CCSet* touches, CCEvent* event) {
    if (!touches || touches->count() == 0 || !m_dispatchEvents) {
        return;
    }
    KeepAlive keepTouches(touches);
    KeepAlive keepEvent(event);

    // The touches this dispatch is about: new ones for a beginning, else the active ones only.
    std::vector<CCTouch*> remaining;
    for (CCObject* object : *touches) {
        CCTouch* touch = dynamic_cast<CCTouch*>(object);
        if (!touch) {
            continue;
        }
        if (phase == Phase::Began) {
            if (!isActive(touch)) {
                touch->retain();
                m_activeTouches.push_back(touch);
                remaining.push_back(touch);
            }
        } else if (isActive(touch)) {
            remaining.push_back(touch);
        }
    }
    if (remaining.empty()) {
        return;
    }
    const std::vector<CCTouch*> involved = remaining;

    ++m_dispatchDepth;
    // The handler lists do not change while m_dispatchDepth > 0: changes wait in m_pending.
    for (std::unique_ptr<Handler>& handler : m_targeted) {
        if (remaining.empty() || !m_dispatchEvents) {
            break;
        }
        for (auto it = remaining.begin(); it != remaining.end() && m_dispatchEvents;) {
            CCTouch* touch = *it;
            bool claimed = false;
            switch (phase) {
                case Phase::Began:
                    if (handler->delegate->ccTouchBegan(touch, event)) {
                        handler->touches.push_back(touch);
                        claimed = true;
                    }
                    break;
                case Phase::Moved:
                    if (handler->has(touch)) {
                        claimed = true;
                        handler->delegate->ccTouchMoved(touch, event);
                    }
                    break;
                case Phase::Ended:
                case Phase::Cancelled:
                    if (handler->has(touch)) {
                        claimed = true;
                        handler->drop(touch);
                        if (phase == Phase::Ended) {
                            handler->delegate->ccTouchEnded(touch, event);
                        } else {
                            handler->delegate->ccTouchCancelled(touch, event);
                        }
                    }
                    break;
            }
            if (claimed && handler->swallows) {
                it = remaining.erase(it);
            } else {
                ++it;
            }
        }
    }

    for (std::unique_ptr<Handler>& handler : m_standard) {
        if (remaining.empty() || !m_dispatchEvents) {
            break;
        }
        CCSet* set = new CCSet();
        KeepAlive keepSet(set);
        set->release();
        for (CCTouch* touch : remaining) {
            if (phase == Phase::Began) {
                handler->touches.push_back(touch);
                set->addObject(touch);
            } else if (handler->has(touch)) {
                set->addObject(touch);
                if (phase != Phase::Moved) {
                    handler->drop(touch);
                }
            }
        }
        if (set->count() == 0) {
            continue;
        }
        switch (phase) {
            case Phase::Began:
                handler->delegate->ccTouchesBegan(set, event);
                break;
            case Phase::Moved:
                handler->delegate->ccTouchesMoved(set, event);
                break;
            case Phase::Ended:
                handler->delegate->ccTouchesEnded(set, event);
                break;
            case Phase::Cancelled:
                handler->delegate->ccTouchesCancelled(set, event);
                break;
        }
    }
    --m_dispatchDepth;

    if (phase == Phase::Ended || phase == Phase::Cancelled) {
        for (CCTouch* touch : involved) {
            forgetTouch(touch);
        }
    }
    if (m_dispatchDepth == 0) {
        applyPendingChanges();
        if (m_cancelPending) {
            m_cancelPending = false;
            cancelActiveTouches();
        }
    }
}

}  // namespace lirava
