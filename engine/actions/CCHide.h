#pragma once

#include "engine/actions/CCActionInstant.h"

namespace lirava {

// Makes the target invisible.
class CCHide : public CCActionInstant {
public:
    static CCHide* create();

    CCObject* copy() override;
    void update(float time) override;
    CCFiniteTimeAction* reverse() override;  // a CCShow
};

}  // namespace lirava
