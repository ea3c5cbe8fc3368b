#pragma once

#include <cstdint>

#include "engine/actions/CCActionInterval.h"

namespace lirava {

// Fades a target with colour (CCRGBAProtocol) to an opacity from its opacity when the action
// starts. Targets without colour are left alone.
class CCFadeTo : public CCActionInterval {
public:
    static CCFadeTo* create(float duration, std::uint8_t opacity);
    bool initWithDuration(float duration, std::uint8_t opacity);

    CCObject* copy() override;
    void startWithTarget(CCNode* target) override;
    void update(float time) override;
    CCFiniteTimeAction* reverse() override { return nullptr; }

protected:
    std::uint8_t m_toOpacity = 255;
    std::uint8_t m_fromOpacity = 255;
};

}  // namespace lirava
