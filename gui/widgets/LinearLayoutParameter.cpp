#include "gui/widgets/LinearLayoutParameter.h"

namespace lirava {

LinearLayoutParameter* LinearLayoutParameter::create() {
    LinearLayoutParameter* parameter = new LinearLayoutParameter();
    parameter->autorelease();
    return parameter;
}

}  // namespace lirava
