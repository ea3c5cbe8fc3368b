#pragma once

#include "engine/base/CCObject.h"

namespace lirava {

enum LayoutParameterType {
    LAYOUT_PARAMETER_NONE = 0,
    LAYOUT_PARAMETER_LINEAR = 1,
    LAYOUT_PARAMETER_RELATIVE = 2,
};

// Placement rules that a child carries for its parent Layout. Only absolute layouts exist, so
// the parameters are kinds to tell apart (the widget lookups find relative anchors by name).
class LayoutParameter : public CCObject {
public:
    static LayoutParameter* create();

    LayoutParameterType getLayoutType() const { return m_layoutParameterType; }

protected:
    LayoutParameterType m_layoutParameterType = LAYOUT_PARAMETER_NONE;
};

}  // namespace lirava
