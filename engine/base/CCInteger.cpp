#include "engine/base/CCInteger.h"

namespace lirava {

CCInteger* CCInteger::create(int value) {
    CCInteger* object = new CCInteger(value);
    object->autorelease();
    return object;
}

CCDouble* CCDouble::create(double value) {
    CCDouble* object = new CCDouble(value);
    object->autorelease();
    return object;
}

CCBool* CCBool::create(bool value) {
    CCBool* object = new CCBool(value);
    object->autorelease();
    return object;
}

}  // namespace lirava
