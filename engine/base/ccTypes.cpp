#include "engine/base/ccTypes.h"

namespace lirava {

const ccColor3B ccWHITE = {255, 255, 255};
const ccColor3B ccBLACK = {0, 0, 0};
const ccColor3B ccRED = {255, 0, 0};
const ccColor3B ccGREEN = {0, 255, 0};
const ccColor3B ccBLUE = {0, 0, 255};

ccColor4F ccc4FFromccc3B(ccColor3B c) {
    return ccColor4F{c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, 1.0f};
}

ccColor4F ccc4FFromccc4B(ccColor4B c) {
    return ccColor4F{c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, c.a / 255.0f};
}

}  // namespace lirava
