#pragma once

#include "engine/actions/CCActionInterval.h"

namespace lirava {

// Runs an action again and again until it is stopped; it is never done. Time left over at the
// end of one run is carried into the next, so the motion keeps its pace across frames.
class CCRepeatForever : public CCActionInterval {
public:
    static CCRepeatForever* create(CCActionInterval* action);
    bool initWithAction(CCActionInterval* action);
    ~CCRepeatForever() override;

    CCActionInterval* getInnerAction() const { return m_inner; }

    CCObject* copy() override;
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void step(float dt) override;
    bool isDone() override { return false; }
    CCFiniteTimeAction* reverse() override;

private:
    CCActionInterval* m_inner = nullptr;
};

}  // namespace lirava
