#include "gui/widgets/RelativeLayoutParameter.h"

namespace lirava {

RelativeLayoutParameter* RelativeLayoutParameter::create() {
    RelativeLayoutParameter* parameter = new RelativeLayoutParameter();
    parameter->autorelease();
    return parameter;
}

}  // namespace lirava
