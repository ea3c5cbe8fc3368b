#include "gui/widgets/UIPageView.h"

#include <cmath>

#include "engine/actions/CCScheduler.h"
#include "engine/base/CCArray.h"
#include "engine/nodes/CCNode.h"

namespace lirava {

UIPageView* UIPageView::create() {
    UIPageView* view = new UIPageView();
    if (view->init()) {
        view->autorelease();
        return view;
    }
    delete view;
    return nullptr;
}

UIPageView::UIPageView() = default;

UIPageView::~UIPageView() {
    if (m_pages) {
        m_pages->removeAllObjects();
        m_pages->release();
        m_pages = nullptr;
    }
}

bool UIPageView::init() {
    if (!ScrollingLayout::init()) {
        return false;
    }
    m_pages = CCArray::create();
    m_pages->retain();
    return true;
}

const char* UIPageView::getTypeName() const {
    return "PageView";
}

bool UIPageView::addChild(UIWidget* child) {
    return UIWidget::addChild(child);
}

bool UIPageView::removeChild(UIWidget* child) {
    if (!child || !m_pages || !m_pages->containsObject(child)) {
        return false;
    }
    // Keep the page alive until it is out of both lists.
    child->retain();
    m_pages->removeObject(child);
    const bool removed = UIWidget::removeChild(child);
    child->release();
    return removed;
}

void UIPageView::removeAllChildren() {
    if (m_pages) {
        m_pages->removeAllObjects();
    }
    UIWidget::removeAllChildren();
}

void UIPageView::handleSizeChange() {
    ScrollingLayout::handleSizeChange();
    m_rightBoundary = m_size.width;
    if (!m_pages) {
        return;
    }
    const int count = static_cast<int>(m_pages->count());
    if (m_curPageIdx >= count) {
        m_curPageIdx = count > 0 ? count - 1 : 0;
    }
    for (int i = 0; i < count; ++i) {
        UIWidget* page = static_cast<UIWidget*>(m_pages->objectAtIndex(static_cast<unsigned int>(i)));
        page->setSize(m_size);
        page->setPosition(CCPoint(static_cast<float>(i - m_curPageIdx) * m_size.width, 0.0f));
    }
}

// --- touches

float UIPageView::axisPosition(const CCPoint& worldPoint) const {
    return m_renderer ? m_renderer->convertToNodeSpace(worldPoint).x : worldPoint.x;
}

void UIPageView::handlePress(const CCPoint& point) {
    const float x = axisPosition(point);
    m_touchStartLocation = x;
    m_touchMoveStartLocation = x;
}

void UIPageView::handleMove(const CCPoint& point) {
    const float x = axisPosition(point);
    const float offset = x - m_touchMoveStartLocation;
    m_touchMoveStartLocation = x;
    if (offset < 0.0f) {
        m_moveDirection = 0;
    } else if (offset > 0.0f) {
        m_moveDirection = 1;
    }
    scrollContent(offset);
}

void UIPageView::handleRelease(const CCPoint& point) {
    if (!m_pages || m_pages->count() == 0) {
        return;
    }
    m_touchEndLocation = axisPosition(point);
}

bool UIPageView::scrollContent(float offset) {
    if (!m_pages || m_pages->count() == 0 || !m_leftChild || !m_rightChild) {
        return false;
    }
    for (CCObject* object : *m_pages) {
        UIWidget* page = static_cast<UIWidget*>(object);
        page->setPosition(page->getPosition() + CCPoint(offset, 0.0f));
    }
    return true;
}

bool UIPageView::takesOverChildDrag(const UIWidget& sender, const CCPoint& point) const {
    return std::fabs(sender.getTouchStartPos().x - point.x) > m_childFocusCancelOffset;
}

void UIPageView::update(float /*dt*/) {
    // Only page turns glide, and this view turns no pages.
    if (!m_isAutoScrolling) {
        return;
    }
}

}  // namespace lirava
