#pragma once

#include "engine/actions/CCActionInstant.h"

namespace lirava {

// Calls a member function of a target object once. The target is retained while the action
// lives, so it cannot go away before the call.
class CCCallFunc : public CCActionInstant {
public:
    static CCCallFunc* create(CCObject* selectorTarget, SEL_CallFunc selector);
    bool initWithTarget(CCObject* selectorTarget);
    ~CCCallFunc() override;

    CCObject* getTargetCallback() const { return m_selectorTarget; }

    CCObject* copy() override;
    void update(float time) override;
    CCFiniteTimeAction* reverse() override;  // the same call again

protected:
    virtual void execute();

    CCObject* m_selectorTarget = nullptr;
    SEL_CallFunc m_callFunc = nullptr;
};

}  // namespace lirava
