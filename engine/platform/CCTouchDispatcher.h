#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/base/CCObject.h"

namespace lirava {

class CCEvent;
class CCSet;
class CCTouch;
class CCTouchDelegate;

// Hands touches to the registered delegates.
//
// Targeted delegates come first, by ascending priority (equal priorities in registration order).
// Each gets ccTouchBegan for every new touch and claims it by returning true; the later phases
// of a claimed touch go to its claimers only. A touch claimed by a swallowing delegate is not
// offered to any delegate after it. Standard delegates come next, by ascending priority, and get
// the touches nobody swallowed as one set per phase (later phases only for the touches they got
// when those began).
//
// Registrations, removals and priority changes made while touches are being dispatched take
// effect once the dispatch is over. Delegates that are CCObjects are retained while registered.
//
// With dispatching switched off (scene transitions do that) no touches are delivered. Touches
// that are down at that moment are cancelled for the delegates that had them, and their later
// phases are dropped: a touch is delivered from its beginning to its end or cancellation, never
// halfway.
class CCTouchDispatcher : public CCObject {
public:
    CCTouchDispatcher();
    ~CCTouchDispatcher() override;

    // A delegate is registered once; adding it again (in either role) is ignored.
    void addStandardDelegate(CCTouchDelegate* delegate, int priority);
    void addTargetedDelegate(CCTouchDelegate* delegate, int priority, bool swallowsTouches);
    void removeDelegate(CCTouchDelegate* delegate);
    void removeAllDelegates();
    // Moves a registered delegate to a new priority; it keeps its place among equal priorities
    // by registration order.
    void setPriority(int priority, CCTouchDelegate* delegate);

    bool isDispatchEvents() const { return m_dispatchEvents; }
    void setDispatchEvents(bool dispatchEvents);

    void touchesBegan(CCSet* touches, CCEvent* event);
    void touchesMoved(CCSet* touches, CCEvent* event);
    void touchesEnded(CCSet* touches, CCEvent* event);
    void touchesCancelled(CCSet* touches, CCEvent* event);

    // Introspection for tests and diagnostics (pending changes not included).
    bool isRegistered(const CCTouchDelegate* delegate) const;
    std::size_t delegateCount() const { return m_targeted.size() + m_standard.size(); }

private:
    enum class Phase { Began, Moved, Ended, Cancelled };
    struct Handler;
    struct PendingChange;

    void dispatch(Phase phase, CCSet* touches, CCEvent* event);
    void applyPendingChanges();
    void add(std::unique_ptr<Handler> handler);
    void remove(CCTouchDelegate* delegate);
    void changePriority(CCTouchDelegate* delegate, int priority);
    void cancelActiveTouches();
    void forgetTouch(CCTouch* touch);
    bool isActive(const CCTouch* touch) const;
    Handler* find(const CCTouchDelegate* delegate) const;

    std::vector<std::unique_ptr<Handler>> m_targeted;
    std::vector<std::unique_ptr<Handler>> m_standard;
    std::vector<PendingChange> m_pending;
    // Touches whose beginning was delivered and that have not ended yet (retained).
    std::vector<CCTouch*> m_activeTouches;
    std::uint64_t m_nextSequence = 0;
    int m_dispatchDepth = 0;
    bool m_dispatchEvents = true;
    bool m_cancelPending = false;
};

}  // namespace lirava
