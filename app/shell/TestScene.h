#pragma once

#include "engine/nodes/CCScene.h"

namespace lirava {

// A scene with a main-page button in its lower right corner that returns to the home screen.
// Subclasses fill it in start() and make it the running scene there.
class TestScene : public CCScene {
public:
    // Adds the main-page button (the "main_page" text of "String.xml", Arial 40, at
    // (right.x - 80, bottom.y + 30)); it is added on every entry.
    void onEnter() override;

    virtual void start() = 0;
    // Menu callback of the main-page button.
    virtual void goHome(CCObject* sender);
};

}  // namespace lirava
