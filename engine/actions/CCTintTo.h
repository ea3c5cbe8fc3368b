#pragma once

#include <cstdint>

#include "engine/actions/CCActionInterval.h"
#include "engine/base/ccTypes.h"

namespace lirava {

// Tints a target with colour (CCRGBAProtocol) to a colour from its colour when the action
// starts. Targets without colour are left alone.
class CCTintTo : public CCActionInterval {
public:
    static CCTintTo* create(float duration, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    bool initWithDuration(float duration, std::uint8_t red, std::uint8_t green, std::uint8_t blue);

    CCObject* copy() override;
    void startWithTarget(CCNode* target) override;
    void update(float time) override;
    CCFiniteTimeAction* reverse() override { return nullptr; }

protected:
    ccColor3B m_to = {255, 255, 255};
    ccColor3B m_from = {255, 255, 255};
};

}  // namespace lirava
