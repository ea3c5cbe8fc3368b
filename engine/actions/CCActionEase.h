#pragma once

#include "engine/actions/CCActionInterval.h"

namespace lirava {

// Runs an inner action over the same duration with its progress reshaped by an easing curve.
// Every curve starts at exactly 0 and ends at exactly 1, so eased actions land on target.
class CCActionEase : public CCActionInterval {
public:
    bool initWithAction(CCActionInterval* action);
    ~CCActionEase() override;

    CCActionInterval* getInnerAction() const { return m_inner; }

    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float time) override;

protected:
    // The curve for progress strictly between 0 and 1.
    virtual float ease(float time) const { return time; }

    CCActionInterval* m_inner = nullptr;
    // Runs the curve backwards in time (1 - f(1 - t)); used where a reverse has no class of
    // its own.
    bool m_mirrored = false;
};

}  // namespace lirava
