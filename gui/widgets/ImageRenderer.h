#pragma once

#include "gui/widgets/UIWidget.h"

namespace lirava {

class CCNodeRGBA;

// The node that draws one of a widget's images: a plain sprite, or a nine-slice sprite when
// scale9 is on.
CCNodeRGBA* createImageRenderer(bool scale9);

// Loads an image file, or a sprite frame by name for UI_TEX_TYPE_PLIST, into a node made by
// createImageRenderer. Nodes of other kinds are left as they are.
void loadImageRenderer(CCNode* renderer, const char* fileName, TextureResType texType);

}  // namespace lirava
