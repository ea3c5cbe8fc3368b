#include "engine/nodes/CCLayerRGBA.h"

namespace lirava {

CCLayerRGBA* CCLayerRGBA::create() {
    CCLayerRGBA* node = new CCLayerRGBA();
    if (node->init()) {
        node->autorelease();
        return node;
    }
    delete node;
    return nullptr;
}

}  // namespace lirava
