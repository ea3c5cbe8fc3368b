#include "gui/widgets/UITouchRouter.h"

#include "engine/base/CCArray.h"
#include "gui/widgets/UIWidget.h"

namespace lirava {

UITouchRouter::UITouchRouter(UIWidget* rootWidget) : m_selectedWidgets(new CCArray()), m_rootWidget(rootWidget) {}

UITouchRouter::~UITouchRouter() {
    m_selectedWidgets->removeAllObjects();
    m_selectedWidgets->release();
}

bool UITouchRouter::checkTouchEvent(UIWidget* widget, const CCPoint& point) {
    if (!widget) {
        return false;
    }
    // Nothing changes the tree while the search looks (hit tests only read); the one widget it
    // selects is told last, and the search ends there.
    if (CCArray* children = widget->getChildren()) {
        for (unsigned int i = children->count(); i > 0; --i) {
            if (checkTouchEvent(static_cast<UIWidget*>(children->objectAtIndex(i - 1)), point)) {
                return true;
            }
        }
    }
    if (widget->isEnabled() && widget->isTouchEnabled() && widget->hitTest(point) && widget->isClipAncestorHit(point)) {
        m_selectedWidgets->addObject(widget);
        widget->onTouchBegan(point);
        return true;
    }
    return false;
}

bool UITouchRouter::touchBegan(const CCPoint& point) {
    m_touchBeganPoint = point;
    checkTouchEvent(m_rootWidget, point);
    return !m_selectedWidgets->empty();
}

// The later phases go to a snapshot of the selection, so that a listener that starts or ends
// another touch, or clears the tree, cannot change the list being walked.
void UITouchRouter::touchMoved(const CCPoint& point) {
    m_touchMovedPoint = point;
    CCArray* snapshot = CCArray::createWithArray(m_selectedWidgets);
    for (CCObject* object : *snapshot) {
        static_cast<UIWidget*>(object)->onTouchMoved(point);
    }
}

void UITouchRouter::touchEnded(const CCPoint& point) {
    m_touchEndedPoint = point;
    CCArray* snapshot = CCArray::createWithArray(m_selectedWidgets);
    for (CCObject* object : *snapshot) {
        static_cast<UIWidget*>(object)->onTouchEnded(point);
    }
    m_selectedWidgets->removeAllObjects();
}

void UITouchRouter::touchCancelled(const CCPoint& point) {
    m_touchEndedPoint = point;
    CCArray* snapshot = CCArray::createWithArray(m_selectedWidgets);
    for (CCObject* object : *snapshot) {
        static_cast<UIWidget*>(object)->onTouchCancelled(point);
    }
    m_selectedWidgets->removeAllObjects();
}

void UITouchRouter::clearSelection() {
    m_selectedWidgets->removeAllObjects();
}

}  // namespace lirava
