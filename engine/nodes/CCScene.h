#pragma once

#include "engine/nodes/CCNode.h"

namespace lirava {

// The root of what the director shows. A scene covers the whole design area: its content size
// is the window size, its anchor is the centre and it is placed by its lower-left corner.
class CCScene : public CCNode {
public:
    static CCScene* create();
    CCScene();
    bool init() override;
};

}  // namespace lirava
