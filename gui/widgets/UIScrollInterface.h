#pragma once

#include "engine/base/CCGeometry.h"

namespace lirava {

class UIWidget;

// The touch steps of the scrolling containers (scroll view, drag panel, page view). Points are
// touch positions in world coordinates; phases are WidgetTouchEvent values.
class UIScrollInterface {
public:
    virtual ~UIScrollInterface() = default;

    virtual void handlePress(const CCPoint& point) = 0;
    virtual void handleMove(const CCPoint& point) = 0;
    virtual void handleRelease(const CCPoint& point) = 0;
    // A touch phase that a descendant received: the container may take the drag over.
    virtual void interceptChildTouch(int phase, UIWidget* sender, const CCPoint& point) = 0;
};

}  // namespace lirava
