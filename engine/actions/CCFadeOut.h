#pragma once

#include "engine/actions/CCActionInterval.h"

namespace lirava {

// Fades a target with colour from fully opaque to fully transparent.
class CCFadeOut : public CCActionInterval {
public:
    static CCFadeOut* create(float duration);

    CCObject* copy() override;
    void update(float time) override;
    CCFiniteTimeAction* reverse() override;  // a CCFadeIn
};

}  // namespace lirava
