#pragma once

#include "engine/base/CCObject.h"

namespace lirava {

class CCNode;

constexpr int kCCActionTagInvalid = -1;

// Something a node does over time. The action manager steps running actions once per frame.
class CCAction : public CCObject {
public:
    // Concrete actions return a fresh, unstarted copy with one reference (not autoreleased).
    CCObject* copy() override;

    virtual bool isDone();
    virtual void startWithTarget(CCNode* target);
    // Called when the action finishes or is removed; the target is forgotten.
    virtual void stop();
    // Advances by dt seconds.
    virtual void step(float dt);
    // Applies progress 0..1 (1 = finished).
    void update(float time) override;

    CCNode* getTarget() const { return m_target; }
    void setTarget(CCNode* target) { m_target = target; }
    CCNode* getOriginalTarget() const { return m_originalTarget; }
    void setOriginalTarget(CCNode* target) { m_originalTarget = target; }
    int getTag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

protected:
    CCNode* m_originalTarget = nullptr;
    CCNode* m_target = nullptr;
    int m_tag = kCCActionTagInvalid;
};

// An action with a duration in seconds.
class CCFiniteTimeAction : public CCAction {
public:
    float getDuration() const { return m_duration; }
    void setDuration(float duration) { m_duration = duration; }
    // The action that undoes this one, autoreleased; null where there is none.
    virtual CCFiniteTimeAction* reverse();

protected:
    float m_duration = 0.0f;
};

}  // namespace lirava
