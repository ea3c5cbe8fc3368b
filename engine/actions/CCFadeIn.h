#pragma once

#include "engine/actions/CCActionInterval.h"

namespace lirava {

// Fades a target with colour from fully transparent to fully opaque.
class CCFadeIn : public CCActionInterval {
public:
    static CCFadeIn* create(float duration);

    CCObject* copy() override;
    void update(float time) override;
    CCFiniteTimeAction* reverse() override;  // a CCFadeOut
};

}  // namespace lirava
