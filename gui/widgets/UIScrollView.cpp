#include "gui/widgets/UIScrollView.h"

#include <algorithm>
#include <cmath>

#include "engine/actions/CCScheduler.h"
#include "engine/nodes/CCNode.h"

namespace lirava {

UIScrollView* UIScrollView::create() {
    UIScrollView* view = new UIScrollView();
    if (view->init()) {
        view->autorelease();
        return view;
    }
    delete view;
    return nullptr;
}

UIScrollView::UIScrollView() = default;

bool UIScrollView::init() {
    if (!InnerContainerLayout::init()) {
        return false;
    }
    setTouchEnabled(true);
    m_innerContainer->setTouchEnabled(false);
    return true;
}

const char* UIScrollView::getTypeName() const {
    return "ScrollView";
}

void UIScrollView::handleSizeChange() {
    InnerContainerLayout::handleSizeChange();
    m_topBoundary = m_size.height;
    m_rightBoundary = m_size.width;
    if (m_innerContainer) {
        setInnerSize(m_innerContainer->getSize());
    }
}

// --- touches

float UIScrollView::axisPosition(const CCPoint& worldPoint) const {
    if (!m_renderer) {
        return 0.0f;
    }
    const CCPoint local = m_renderer->convertToNodeSpace(worldPoint);
    return m_direction == SCROLLVIEW_DIR_HORIZONTAL ? local.x : local.y;
}

void UIScrollView::handlePress(const CCPoint& point) {
    const float position = axisPosition(point);
    m_slideStartPosition = position;
    m_lastMovePosition = position;
    if (!hasContent()) {
        return;
    }
    stopAutoScroll();
    m_pressed = true;
    m_slideTime = 0.0f;
}

void UIScrollView::handleMove(const CCPoint& point) {
    const float position = axisPosition(point);
    float offset = position - m_lastMovePosition;
    m_lastMovePosition = position;
    switch (m_direction) {
        case SCROLLVIEW_DIR_VERTICAL:
            if (offset < 0.0f) {
                m_moveDirection = SCROLLVIEW_MOVE_DIR_DOWN;
            } else if (offset > 0.0f) {
                m_moveDirection = SCROLLVIEW_MOVE_DIR_UP;
            }
            break;
        case SCROLLVIEW_DIR_HORIZONTAL:
            if (offset < 0.0f) {
                m_moveDirection = SCROLLVIEW_MOVE_DIR_LEFT;
            } else if (offset > 0.0f) {
                m_moveDirection = SCROLLVIEW_MOVE_DIR_RIGHT;
            }
            break;
        default:
            offset = 0.0f;
            break;
    }
    scrollContent(offset);
}

void UIScrollView::handleRelease(const CCPoint& point) {
    m_releasePosition = axisPosition(point);
    finishSlide();
}

void UIScrollView::finishSlide() {
    if (!hasContent() || m_slideTime <= kMinSlideTime) {
        return;
    }
    m_autoScrollSpeed = std::fabs(m_releasePosition - m_slideStartPosition) / m_slideTime;
    m_autoScroll = true;
    m_pressed = false;
    m_slideTime = 0.0f;
}

bool UIScrollView::takesOverChildDrag(const UIWidget& sender, const CCPoint& point) const {
    const CCPoint& start = sender.getTouchStartPos();
    switch (m_direction) {
        case SCROLLVIEW_DIR_HORIZONTAL:
            return std::fabs(start.x - point.x) > m_focusCancelDistance;
        case SCROLLVIEW_DIR_VERTICAL:
            return std::fabs(start.y - point.y) > m_focusCancelDistance;
        default:
            return false;
    }
}

// --- scrolling

void UIScrollView::moveContent(float offset) {
    if (!m_innerContainer) {
        return;
    }
    CCPoint position = m_innerContainer->getPosition();
    if (m_direction == SCROLLVIEW_DIR_HORIZONTAL) {
        position.x += offset;
    } else {
        position.y += offset;
    }
    m_lastMovePoint = position;
    m_innerContainer->setPosition(position);
}

bool UIScrollView::scrollContent(float offset) {
    if (!m_innerContainer) {
        return false;
    }
    if (m_direction == SCROLLVIEW_DIR_VERTICAL) {
        if (m_moveDirection == SCROLLVIEW_MOVE_DIR_UP) {
            const float bottom = m_innerContainer->getBottomInParent();
            if (bottom + offset >= m_bottomBoundary) {
                moveContent(m_bottomBoundary - bottom);
                m_bottomEnd = true;
                return false;
            }
        } else if (m_moveDirection == SCROLLVIEW_MOVE_DIR_DOWN) {
            const float top = m_innerContainer->getTopInParent();
            if (top + offset <= m_topBoundary) {
                moveContent(m_topBoundary - top);
                m_topEnd = true;
                return false;
            }
        }
        moveContent(offset);
        m_topEnd = false;
        m_bottomEnd = false;
        return true;
    }
    if (m_direction == SCROLLVIEW_DIR_HORIZONTAL) {
        if (m_moveDirection == SCROLLVIEW_MOVE_DIR_LEFT) {
            const float right = m_innerContainer->getRightInParent();
            if (right + offset <= m_rightBoundary) {
                moveContent(m_rightBoundary - right);
                m_rightEnd = true;
                return false;
            }
        } else if (m_moveDirection == SCROLLVIEW_MOVE_DIR_RIGHT) {
            const float left = m_innerContainer->getLeftInParent();
            if (left + offset >= m_leftBoundary) {
                moveContent(m_leftBoundary - left);
                m_leftEnd = true;
                return false;
            }
        }
        moveContent(offset);
        m_leftEnd = false;
        m_rightEnd = false;
        return true;
    }
    return false;
}

void UIScrollView::stopAutoScroll() {
    m_autoScroll = false;
    m_autoScrollSpeed = 0.0f;
}

void UIScrollView::autoScroll(float dt) {
    m_autoScrollSpeed -= m_autoScrollDeceleration * dt;
    float distance = m_autoScrollSpeed * dt;
    if (distance <= 0.0f) {
        stopAutoScroll();
        distance = 0.0f;
    }
    float offset = 0.0f;
    if ((m_direction == SCROLLVIEW_DIR_VERTICAL && m_moveDirection == SCROLLVIEW_MOVE_DIR_UP) ||
        (m_direction == SCROLLVIEW_DIR_HORIZONTAL && m_moveDirection == SCROLLVIEW_MOVE_DIR_RIGHT)) {
        offset = distance;
    } else if ((m_direction == SCROLLVIEW_DIR_VERTICAL && m_moveDirection == SCROLLVIEW_MOVE_DIR_DOWN) ||
               (m_direction == SCROLLVIEW_DIR_HORIZONTAL && m_moveDirection == SCROLLVIEW_MOVE_DIR_LEFT)) {
        offset = -distance;
    } else {
        return;
    }
    if (!scrollContent(offset)) {
        stopAutoScroll();
    }
}

void UIScrollView::update(float dt) {
    if (m_autoScroll) {
        autoScroll(dt);
    }
    if (m_pressed) {
        m_slideTime += dt;
    }
}

}  // namespace lirava
