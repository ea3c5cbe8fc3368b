#pragma once

#include "engine/actions/CCActionInterval.h"
#include "engine/base/CCGeometry.h"

namespace lirava {

// Moves the target by a fixed offset from wherever it stands when the action starts.
class CCMoveBy : public CCActionInterval {
public:
    static CCMoveBy* create(float duration, const CCPoint& delta);
    bool initWithDuration(float duration, const CCPoint& delta);

    CCObject* copy() override;
    void startWithTarget(CCNode* target) override;
    void update(float time) override;
    CCFiniteTimeAction* reverse() override;

protected:
    CCPoint m_delta;
    CCPoint m_startPosition;
};

}  // namespace lirava
