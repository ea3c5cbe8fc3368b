#pragma once

#include "engine/actions/CCActionInterval.h"

namespace lirava {

// Runs an action a number of times in a row; each run starts from where the last one ended.
class CCRepeat : public CCActionInterval {
public:
    static CCRepeat* create(CCFiniteTimeAction* action, unsigned int times);
    bool initWithAction(CCFiniteTimeAction* action, unsigned int times);
    ~CCRepeat() override;

    CCFiniteTimeAction* getInnerAction() const { return m_inner; }
    unsigned int getTimes() const { return m_times; }

    CCObject* copy() override;
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float time) override;
    bool isDone() override;
    CCFiniteTimeAction* reverse() override;

private:
    CCFiniteTimeAction* m_inner = nullptr;
    unsigned int m_times = 0;
    unsigned int m_completed = 0;  // runs finished since the action started
};

}  // namespace lirava
