#pragma once

#include "gui/widgets/InnerContainerLayout.h"

namespace lirava {

enum SCROLLVIEW_DIR {
    SCROLLVIEW_DIR_NONE = 0,
    SCROLLVIEW_DIR_VERTICAL = 1,
    SCROLLVIEW_DIR_HORIZONTAL = 2,
};

enum SCROLLVIEW_MOVE_DIR {
    SCROLLVIEW_MOVE_DIR_NONE = 0,
    SCROLLVIEW_MOVE_DIR_UP = 1,
    SCROLLVIEW_MOVE_DIR_DOWN = 2,
    SCROLLVIEW_MOVE_DIR_LEFT = 3,
    SCROLLVIEW_MOVE_DIR_RIGHT = 4,
};

// A clipping container whose content, in an inner container at least as large as the view, is
// moved along one axis by dragging, glides on after release and stops hard at both ends.
//
// Touches: the view scrolls when it is dragged itself, and takes a drag over from a child once
// the finger has moved more than 5 points along the axis. A release more than 0.016 s after the press starts inertia
// at the average speed of the drag, slowing by 600 points per second per second; it stops when
// the speed runs out, at an end, or at the next press.
class UIScrollView : public InnerContainerLayout {
public:
    static constexpr float kDeceleration = 600.0f;
    // Releases no later than this after their press start no inertia.
    static constexpr float kMinSlideTime = 0.016f;
    static constexpr float kFocusCancelDistance = 5.0f;

    static UIScrollView* create();

    UIScrollView();

    bool init() override;
    const char* getTypeName() const override;

    void setDirection(SCROLLVIEW_DIR direction) { m_direction = direction; }
    SCROLLVIEW_DIR getDirection() const { return m_direction; }
    SCROLLVIEW_MOVE_DIR getMoveDirection() const { return m_moveDirection; }

    void update(float dt) override;

    void handlePress(const CCPoint& point) override;
    void handleMove(const CCPoint& point) override;
    void handleRelease(const CCPoint& point) override;

    // Moves the content by offset along the axis, stopping at the end it runs into; false when it
    // stopped there (or cannot scroll at all).
    virtual bool scrollContent(float offset);
    // Starts inertia after a release, unless the press was too short or there is no content.
    virtual void finishSlide();

    // --- state, for tests and tools
    bool isAutoScrolling() const { return m_autoScroll; }
    float getAutoScrollSpeed() const { return m_autoScrollSpeed; }
    bool isPressed() const { return m_pressed; }
    float getSlideTime() const { return m_slideTime; }
    bool isTopEnd() const { return m_topEnd; }
    bool isBottomEnd() const { return m_bottomEnd; }
    bool isLeftEnd() const { return m_leftEnd; }
    bool isRightEnd() const { return m_rightEnd; }

protected:
    void handleSizeChange() override;
    bool takesOverChildDrag(const UIWidget& sender, const CCPoint& point) const override;

private:
    // The axis coordinate of a world point in the view's own space.
    float axisPosition(const CCPoint& worldPoint) const;
    void moveContent(float offset);
    void autoScroll(float dt);
    void stopAutoScroll();

    SCROLLVIEW_DIR m_direction = SCROLLVIEW_DIR_VERTICAL;
    SCROLLVIEW_MOVE_DIR m_moveDirection = SCROLLVIEW_MOVE_DIR_NONE;
    float m_slideStartPosition = 0.0f;
    float m_releasePosition = 0.0f;
    float m_lastMovePosition = 0.0f;
    float m_topBoundary = 0.0f;
    float m_bottomBoundary = 0.0f;
    float m_leftBoundary = 0.0f;
    float m_rightBoundary = 0.0f;
    bool m_topEnd = false;
    bool m_bottomEnd = false;
    bool m_leftEnd = false;
    bool m_rightEnd = false;
    bool m_autoScroll = false;
    float m_autoScrollSpeed = 0.0f;
    float m_autoScrollDeceleration = kDeceleration;
    bool m_pressed = false;
    float m_slideTime = 0.0f;
    CCPoint m_lastMovePoint;
    float m_focusCancelDistance = kFocusCancelDistance;
};

}  // namespace lirava
