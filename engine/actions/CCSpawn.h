#pragma once

#include "engine/actions/CCActionInterval.h"
#include "engine/actions/PairedActions.h"
#include "engine/base/CCArray.h"
#include "engine/base/NullTerminatedArgs.h"

namespace lirava {

// Runs actions at the same time. It lasts as long as its longest action; shorter ones are
// padded with a delay so that each still makes its whole change in its own duration.
class CCSpawn : public CCActionInterval {
public:
    // create(a, b, c, NULL): the actions up to the first null. No action gives null; one
    // action gives a spawn of just that action.
    template <typename... More>
    static CCSpawn* create(CCFiniteTimeAction* first, More... more) {
        return detail::pairUp<CCSpawn>(detail::collectUntilNull<CCFiniteTimeAction>(first, more...));
    }
    // The same from an array of actions (other objects in it are skipped).
    static CCSpawn* create(CCArray* actions);
    static CCSpawn* createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);
    bool initWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);
    ~CCSpawn() override;

    CCObject* copy() override;
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float time) override;
    // Null when either part cannot be reversed.
    CCFiniteTimeAction* reverse() override;

private:
    CCFiniteTimeAction* m_one = nullptr;
    CCFiniteTimeAction* m_two = nullptr;
};

}  // namespace lirava
