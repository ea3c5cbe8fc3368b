#pragma once

#include "engine/nodes/CCScene.h"

namespace lirava {

// The scene of a book page or of the settings layer. When it leaves the stage it drops the
// process-wide objects of the UI documents (the JSON accessor, the toolbox with its reader, the
// UI-animation registry); the next document read makes them again.
//
// Made with new: the maker owns the one reference and releases it once the scene is handed to
// the director or a transition.
class BookScene : public CCScene {
public:
    BookScene();

    void onEnter() override;
    void onExit() override;
};

}  // namespace lirava
