#pragma once

#include "engine/actions/CCActionInterval.h"
#include "engine/actions/PairedActions.h"
#include "engine/base/CCArray.h"
#include "engine/base/NullTerminatedArgs.h"

namespace lirava {

// Runs actions one after another. Longer lists are built as nested pairs. Each action starts
// from wherever the previous one left the target.
class CCSequence : public CCActionInterval {
public:
    // create(a, b, c, NULL): the actions up to the first null. No action gives null; one
    // action gives a sequence of just that action.
    template <typename... More>
    static CCSequence* create(CCFiniteTimeAction* first, More... more) {
        return detail::pairUp<CCSequence>(detail::collectUntilNull<CCFiniteTimeAction>(first, more...));
    }
    // The same from an array of actions (other objects in it are skipped).
    static CCSequence* create(CCArray* actions);
    static CCSequence* createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);
    bool initWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);
    ~CCSequence() override;

    CCObject* copy() override;
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float time) override;
    // Null when either part cannot be reversed.
    CCFiniteTimeAction* reverse() override;

private:
    CCFiniteTimeAction* m_actions[2] = {nullptr, nullptr};
    float m_split = 0.0f;  // share of the duration taken by the first action
    int m_last = -1;       // index of the action updated last, -1 before the first update
};

}  // namespace lirava
