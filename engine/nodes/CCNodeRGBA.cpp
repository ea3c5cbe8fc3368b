#include "engine/nodes/CCNodeRGBA.h"

namespace lirava {

CCNodeRGBA* CCNodeRGBA::create() {
    CCNodeRGBA* node = new CCNodeRGBA();
    if (node->init()) {
        node->autorelease();
        return node;
    }
    delete node;
    return nullptr;
}

}  // namespace lirava
