#pragma once

#include "engine/base/CCGeometry.h"

namespace lirava {

class CCArray;
class UIWidget;

// Picks the widget a touch belongs to and drives its touch state machine.
//
// A new touch selects at most one widget: the search visits children from the last to the first
// (highest z-order first, and among equal z-orders the newest first), depth first, and takes the
// first widget that is enabled, touch-enabled, under the point and inside every clipping
// container above it. A widget's own flags do not stop the search from looking at its children,
// and visibility is not consulted. The later phases go to every selected widget.
//
// Owned by its UILayer; not reference counted.
class UITouchRouter {
public:
    explicit UITouchRouter(UIWidget* rootWidget);
    ~UITouchRouter();
    UITouchRouter(const UITouchRouter&) = delete;
    UITouchRouter& operator=(const UITouchRouter&) = delete;

    // True when a widget took the touch (the layer then claims it).
    bool touchBegan(const CCPoint& point);
    void touchMoved(const CCPoint& point);
    void touchEnded(const CCPoint& point);
    void touchCancelled(const CCPoint& point);

    // Searches the subtree of widget; a selected widget is recorded and told that the touch
    // began.
    bool checkTouchEvent(UIWidget* widget, const CCPoint& point);

    void setRootWidget(UIWidget* root) { m_rootWidget = root; }
    UIWidget* getRootWidget() const { return m_rootWidget; }
    // The widgets of the current touch, in the order they were selected (retained).
    CCArray* getSelectedWidgets() const { return m_selectedWidgets; }
    // Forgets the current selection.
    void clearSelection();

    const CCPoint& getTouchBeganPoint() const { return m_touchBeganPoint; }
    const CCPoint& getTouchMovedPoint() const { return m_touchMovedPoint; }
    const CCPoint& getTouchEndedPoint() const { return m_touchEndedPoint; }

private:
    CCArray* m_selectedWidgets;
    CCPoint m_touchBeganPoint;
    CCPoint m_touchMovedPoint;
    CCPoint m_touchEndedPoint;
    UIWidget* m_rootWidget;
};

}  // namespace lirava
