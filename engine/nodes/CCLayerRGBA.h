#pragma once

#include "engine/nodes/CCLayer.h"
#include "engine/nodes/RGBANode.h"

namespace lirava {

// A layer with colour and opacity, cascading both to its colour children when asked to (the
// same behaviour as CCNodeRGBA). Base of colour layers and menus.
class CCLayerRGBA : public RGBANode<CCLayer> {
public:
    static CCLayerRGBA* create();
};

}  // namespace lirava
