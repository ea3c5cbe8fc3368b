#pragma once

#include "gui/widgets/Layout.h"
#include "gui/widgets/UIScrollInterface.h"

namespace lirava {

// The common ground of the containers that scroll their content (scroll view, drag panel, page
// view): a clipping layout with a per-frame update that feeds its own touches and those of its
// descendants into the UIScrollInterface steps.
//
// A descendant's press and release always reach the container. Its moves do once the finger has
// gone far enough from where the descendant was pressed (takesOverChildDrag): the descendant
// then loses focus, so its own release is reported as cancelled, and the container scrolls.
class ScrollingLayout : public Layout, public UIScrollInterface {
public:
    bool init() override;
    void onEnter() override;

    void onTouchBegan(const CCPoint& point) override;
    void onTouchMoved(const CCPoint& point) override;
    void onTouchEnded(const CCPoint& point) override;
    void onChildTouchEvent(int phase, UIWidget* sender, const CCPoint& point) override;
    void interceptChildTouch(int phase, UIWidget* sender, const CCPoint& point) override;

protected:
    // Whether a descendant's touch, pressed at sender->getTouchStartPos() and now at point, has
    // gone far enough for the container to take the drag over.
    virtual bool takesOverChildDrag(const UIWidget& sender, const CCPoint& point) const = 0;
};

}  // namespace lirava
