#pragma once

#include "gui/widgets/LayoutParameter.h"

namespace lirava {

enum UILinearGravity {
    LINEAR_GRAVITY_NONE = 0,
    LINEAR_GRAVITY_LEFT,
    LINEAR_GRAVITY_TOP,
    LINEAR_GRAVITY_RIGHT,
    LINEAR_GRAVITY_BOTTOM,
    LINEAR_GRAVITY_CENTER_VERTICAL,
    LINEAR_GRAVITY_CENTER_HORIZONTAL,
};

class LinearLayoutParameter : public LayoutParameter {
public:
    static LinearLayoutParameter* create();
    LinearLayoutParameter() { m_layoutParameterType = LAYOUT_PARAMETER_LINEAR; }

    void setGravity(UILinearGravity gravity) { m_gravity = gravity; }
    UILinearGravity getGravity() const { return m_gravity; }

private:
    UILinearGravity m_gravity = LINEAR_GRAVITY_NONE;
};

}  // namespace lirava
