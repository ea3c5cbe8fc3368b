#pragma once

#include "gui/widgets/ScrollingLayout.h"

namespace lirava {

// A clipping container with a list of pages. Children added with addChild are not pages: they
// stay where they were put, and removeChild refuses them (only removeAllChildren takes them
// away). Documents build page views that way, so a page view works as a clipping container that
// takes horizontal drags away from its children: once a child's touch has moved more than 5
// points sideways the child loses focus. Page management itself (adding pages, snapping, page
// turns) is not offered.
class UIPageView : public ScrollingLayout {
public:
    static constexpr float kFocusCancelDistance = 5.0f;

    static UIPageView* create();

    UIPageView();
    ~UIPageView() override;

    bool init() override;
    const char* getTypeName() const override;

    bool addChild(UIWidget* child) override;
    // Only pages are removed; false for any other widget.
    bool removeChild(UIWidget* child) override;
    void removeAllChildren() override;

    void update(float dt) override;

    void handlePress(const CCPoint& point) override;
    void handleMove(const CCPoint& point) override;
    void handleRelease(const CCPoint& point) override;

    // Moves the pages sideways; false while there are no pages to move.
    virtual bool scrollContent(float offset);

    CCArray* getPages() const { return m_pages; }
    int getCurPageIndex() const { return m_curPageIdx; }
    // 0 after a step to the left, 1 after a step to the right.
    int getMoveDirection() const { return m_moveDirection; }

protected:
    void handleSizeChange() override;
    bool takesOverChildDrag(const UIWidget& sender, const CCPoint& point) const override;

private:
    float axisPosition(const CCPoint& worldPoint) const;

    int m_curPageIdx = 0;
    CCArray* m_pages = nullptr;
    int m_moveDirection = 0;
    float m_touchStartLocation = 0.0f;
    float m_touchEndLocation = 0.0f;
    float m_touchMoveStartLocation = 0.0f;
    // Boundary pages; nothing sets them while pages cannot be added.
    UIWidget* m_leftChild = nullptr;
    UIWidget* m_rightChild = nullptr;
    float m_rightBoundary = 0.0f;
    bool m_isAutoScrolling = false;
    float m_childFocusCancelOffset = kFocusCancelDistance;
};

}  // namespace lirava
