#pragma once

#include "engine/actions/CCMoveBy.h"

namespace lirava {

// Moves the target to an absolute position; the offset is taken when the action starts.
class CCMoveTo : public CCMoveBy {
public:
    static CCMoveTo* create(float duration, const CCPoint& position);
    bool initWithDuration(float duration, const CCPoint& position);

    CCObject* copy() override;
    void startWithTarget(CCNode* target) override;
    // There is no way back to an unknown start.
    CCFiniteTimeAction* reverse() override { return nullptr; }

protected:
    CCPoint m_endPosition;
};

}  // namespace lirava
