#pragma once

#include "engine/actions/CCActionInstant.h"

namespace lirava {

// Makes the target visible.
class CCShow : public CCActionInstant {
public:
    static CCShow* create();

    CCObject* copy() override;
    void update(float time) override;
    CCFiniteTimeAction* reverse() override;  // a CCHide
};

}  // namespace lirava
