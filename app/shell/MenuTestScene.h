#pragma once

#include "app/shell/TestScene.h"

namespace lirava {

// The scene of a unit's page list.
class MenuTestScene : public TestScene {
public:
    // Empties the director's texture and frame caches first, then makes the scene. Made with new:
    // the maker owns the one reference and releases it after start().
    MenuTestScene();

    // Adds the page list of the current unit and replaces the running scene with this one, with
    // no transition.
    void start() override;
};

}  // namespace lirava
