#include "gui/widgets/LayoutParameter.h"

namespace lirava {

LayoutParameter* LayoutParameter::create() {
    LayoutParameter* parameter = new LayoutParameter();
    parameter->autorelease();
    return parameter;
}

}  // namespace lirava
