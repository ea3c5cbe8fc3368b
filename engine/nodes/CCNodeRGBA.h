#pragma once

#include "engine/nodes/CCNode.h"
#include "engine/nodes/RGBANode.h"

namespace lirava {

// A node with colour and opacity that can cascade both to its colour children.
class CCNodeRGBA : public RGBANode<CCNode> {
public:
    static CCNodeRGBA* create();
};

}  // namespace lirava
