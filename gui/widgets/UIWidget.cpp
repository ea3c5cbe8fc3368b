#include "gui/widgets/UIWidget.h"

#include "engine/actions/CCScheduler.h"
#include "engine/nodes/CCNode.h"
#include "engine/nodes/CCRGBAProtocol.h"
#include "engine/platform/CCDirector.h"
#include "gui/widgets/GUIRenderer.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/LayoutParameter.h"
#include "gui/widgets/RectClippingNode.h"

namespace lirava {

namespace {

// a / b per component, 0 where b has no extent: a parent without a size gives no fractions
// rather than infinities.
CCPoint fractionOf(float x, float y, const CCSize& whole) {
    return CCPoint(whole.width != 0.0f ? x / whole.width : 0.0f, whole.height != 0.0f ? y / whole.height : 0.0f);
}

}  // namespace

UIWidget* UIWidget::create() {
    UIWidget* widget = new UIWidget();
    if (widget->init()) {
        widget->autorelease();
        return widget;
    }
    delete widget;
    return nullptr;
}

UIWidget::UIWidget() = default;

UIWidget::~UIWidget() {
    UIWidget::releaseResources();
    m_parent = nullptr;
    CC_SAFE_RELEASE_NULL(m_layoutParameter);
    CC_SAFE_RELEASE_NULL(m_scheduler);
}

bool UIWidget::init() {
    m_children = CCArray::create();
    m_children->retain();
    initRenderer();
    if (!m_renderer) {
        return false;
    }
    m_renderer->retain();
    m_renderer->setZOrder(m_zOrder);
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) {
        rgba->setCascadeColorEnabled(true);
        rgba->setCascadeOpacityEnabled(true);
    }
    m_bright = true;
    m_brightStyle = BRIGHT_NORMAL;
    showNormalLook();
    setIgnoreSize(true);
    m_scheduler = CCDirector::sharedDirector()->getScheduler();
    CC_SAFE_RETAIN(m_scheduler);
    return true;
}

void UIWidget::initRenderer() {
    m_renderer = GUIRenderer::create();
}

void UIWidget::releaseResources() {
    m_touchEventTarget = nullptr;
    m_touchEventSelector = nullptr;
    if (m_scheduler) {
        m_scheduler->unscheduleUpdateForTarget(this);
    }
    if (m_children) {
        UIWidget::removeAllChildren();
        m_children->release();
        m_children = nullptr;
    }
    if (m_renderer) {
        m_renderer->removeAllChildrenWithCleanup(true);
        m_renderer->removeFromParentAndCleanup(true);
        m_renderer->release();
        m_renderer = nullptr;
    }
}

// --- flags

void UIWidget::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (GUIRenderer* renderer = dynamic_cast<GUIRenderer*>(m_renderer)) {
        renderer->setDrawEnabled(enabled);
    } else if (RectClippingNode* clipping = dynamic_cast<RectClippingNode*>(m_renderer)) {
        clipping->setDrawEnabled(enabled);
    }
    if (m_children) {
        for (CCObject* object : *m_children) {
            static_cast<UIWidget*>(object)->setEnabled(enabled);
        }
    }
}

void UIWidget::setVisible(bool visible) {
    m_visible = visible;
    if (m_renderer) {
        m_renderer->setVisible(visible);
    }
}

void UIWidget::setTouchEnabled(bool enabled) {
    m_touchEnabled = enabled;
}

void UIWidget::setBright(bool bright) {
    m_bright = bright;
    if (bright) {
        m_brightStyle = BRIGHT_NORMAL;
        showNormalLook();
    } else {
        showDisabledLook();
    }
}

void UIWidget::setFocused(bool focused) {
    if (focused == m_focused) {
        return;
    }
    m_focused = focused;
    if (!m_bright) {
        showDisabledLook();
    } else {
        setBrightStyle(focused ? BRIGHT_HIGHLIGHT : BRIGHT_NORMAL);
    }
}

void UIWidget::setBrightStyle(BrightStyle style) {
    if (m_brightStyle == style) {
        return;
    }
    m_brightStyle = style;
    if (style == BRIGHT_NORMAL) {
        showNormalLook();
    } else if (style == BRIGHT_HIGHLIGHT) {
        showPressedLook();
    }
}

// --- children

bool UIWidget::addChild(UIWidget* child) {
    if (!child || !m_children || !child->m_renderer || child->m_parent || m_children->containsObject(child)) {
        return false;
    }
    // A widget cannot hold one of its own ancestors: the tree would become a cycle.
    for (UIWidget* ancestor = this; ancestor; ancestor = ancestor->m_parent) {
        if (ancestor == child) {
            return false;
        }
    }
    child->m_parent = this;
    insertByZOrder(child);
    m_renderer->addChild(child->m_renderer, child->m_zOrder);
    if (m_running) {
        child->onEnter();
    }
    return true;
}

bool UIWidget::removeChild(UIWidget* child) {
    if (!child || !m_children || !m_children->containsObject(child)) {
        return false;
    }
    if (m_running) {
        child->onExit();
    }
    child->unscheduleSubtreeUpdates();
    child->m_parent = nullptr;
    if (child->m_renderer && m_renderer) {
        m_renderer->removeChild(child->m_renderer, true);
    }
    m_children->removeObject(child);
    return true;
}

void UIWidget::removeFromParent() {
    if (m_parent) {
        m_parent->removeChild(this);
    }
}

void UIWidget::removeAllChildren() {
    if (!m_children) {
        return;
    }
    const unsigned int count = m_children->count();
    for (unsigned int i = 0; i < count && !m_children->empty(); ++i) {
        UIWidget::removeChild(static_cast<UIWidget*>(m_children->lastObject()));
    }
}

void UIWidget::reorderChild(UIWidget* child) {
    if (!child || !m_children || !m_children->containsObject(child)) {
        return;
    }
    child->retain();
    m_children->removeObject(child);
    insertByZOrder(child);
    child->release();
}

CCArray* UIWidget::getChildren() {
    return m_children;
}

void UIWidget::insertByZOrder(UIWidget* child) {
    // After the last child whose z-order is not above the new one's: equal z-orders keep the
    // order in which they were added.
    unsigned int index = m_children->count();
    while (index > 0 && static_cast<UIWidget*>(m_children->objectAtIndex(index - 1))->m_zOrder > child->m_zOrder) {
        --index;
    }
    m_children->insertObject(child, index);
}

void UIWidget::setZOrder(int zOrder) {
    m_zOrder = zOrder;
    if (m_renderer) {
        m_renderer->setZOrder(zOrder);
    }
    if (m_parent) {
        m_parent->reorderChild(this);
    }
}

// --- identity

void UIWidget::setName(const char* name) {
    if (name) {
        m_name = name;
    }
}

const char* UIWidget::getTypeName() const {
    return "Widget";
}

// --- transform and colour

void UIWidget::setAnchorPoint(const CCPoint& anchor) {
    m_anchorPoint = anchor;
    if (m_renderer) {
        m_renderer->setAnchorPoint(anchor);
    }
}

void UIWidget::setPosition(const CCPoint& position) {
    if (m_running) {
        m_positionPercent = fractionOf(position.x, position.y, parentSize());
    }
    if (m_renderer) {
        m_renderer->setPosition(position);
    }
}

const CCPoint& UIWidget::getPosition() const {
    return m_renderer ? m_renderer->getPosition() : CCPointZero;
}

void UIWidget::setScale(float scale) {
    if (m_renderer) {
        m_renderer->setScale(scale);
    }
}

void UIWidget::setScaleX(float scaleX) {
    if (m_renderer) {
        m_renderer->setScaleX(scaleX);
    }
}

void UIWidget::setScaleY(float scaleY) {
    if (m_renderer) {
        m_renderer->setScaleY(scaleY);
    }
}

float UIWidget::getScale() const {
    return m_renderer ? m_renderer->getScale() : 1.0f;
}
float UIWidget::getScaleX() const {
    return m_renderer ? m_renderer->getScaleX() : 1.0f;
}
float UIWidget::getScaleY() const {
    return m_renderer ? m_renderer->getScaleY() : 1.0f;
}

void UIWidget::setRotation(float degrees) {
    if (m_renderer) {
        m_renderer->setRotation(degrees);
    }
}

float UIWidget::getRotation() const {
    return m_renderer ? m_renderer->getRotation() : 0.0f;
}

void UIWidget::setColor(const ccColor3B& color) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) {
        rgba->setColor(color);
    }
}

ccColor3B UIWidget::getColor() {
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer);
    return rgba ? rgba->getColor() : ccWHITE;
}

void UIWidget::setOpacity(std::uint8_t opacity) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) {
        rgba->setOpacity(opacity);
    }
}

std::uint8_t UIWidget::getOpacity() {
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer);
    return rgba ? rgba->getOpacity() : 255;
}

bool UIWidget::isCascadeOpacityEnabled() {
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer);
    return rgba ? rgba->isCascadeOpacityEnabled() : false;
}

void UIWidget::setCascadeOpacityEnabled(bool enabled) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) {
        rgba->setCascadeOpacityEnabled(enabled);
    }
}

bool UIWidget::isCascadeColorEnabled() {
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer);
    return rgba ? rgba->isCascadeColorEnabled() : false;
}

void UIWidget::setCascadeColorEnabled(bool enabled) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) {
        rgba->setCascadeColorEnabled(enabled);
    }
}

void UIWidget::syncColorTo(CCNode* node) {
    CCRGBAProtocol* source = dynamic_cast<CCRGBAProtocol*>(m_renderer);
    CCRGBAProtocol* target = dynamic_cast<CCRGBAProtocol*>(node);
    if (!source || !target) {
        return;
    }
    // Passing the displayed values down, rather than setting the node's own colour to them,
    // keeps a tinted widget from tinting its image twice.
    target->updateDisplayedColor(source->isCascadeColorEnabled() ? source->getDisplayedColor() : ccWHITE);
    target->updateDisplayedOpacity(source->isCascadeOpacityEnabled() ? source->getDisplayedOpacity() : 255);
}

void UIWidget::setActionManager(CCActionManager* actionManager) {
    if (m_renderer) {
        m_renderer->setActionManager(actionManager);
    }
}

CCActionManager* UIWidget::getActionManager() {
    return m_renderer ? m_renderer->getActionManager() : nullptr;
}

// --- size and position

CCSize UIWidget::parentSize() const {
    return m_parent ? m_parent->getSize() : CCSizeZero;
}

CCSize UIWidget::effectiveSize(const CCSize& requested) {
    return m_ignoreSize ? getRendererSize() : requested;
}

void UIWidget::setSize(const CCSize& size) {
    m_requestedSize = size;
    m_size = effectiveSize(size);
    if (m_running) {
        m_sizePercent = fractionOf(m_requestedSize.width, m_requestedSize.height, parentSize());
    }
    handleSizeChange();
}

void UIWidget::setSizePercent(const CCPoint& percent) {
    m_sizePercent = percent;
    if (!m_running) {
        return;
    }
    const CCSize whole = parentSize();
    const CCSize requested(percent.x * whole.width, percent.y * whole.height);
    m_size = effectiveSize(requested);
    m_requestedSize = requested;
    handleSizeChange();
}

void UIWidget::setPositionPercent(const CCPoint& percent) {
    m_positionPercent = percent;
    if (m_running && m_positionType == POSITION_PERCENT && m_renderer) {
        const CCSize whole = parentSize();
        m_renderer->setPosition(CCPoint(percent.x * whole.width, percent.y * whole.height));
    }
}

void UIWidget::setIgnoreSize(bool ignore) {
    m_ignoreSize = ignore;
    m_size = ignore ? getRendererSize() : m_requestedSize;
    handleSizeChange();
}

CCSize UIWidget::getRendererSize() {
    return m_size;
}

float UIWidget::getLeftInParent() {
    switch (m_widgetType) {
        case WidgetTypeWidget:
            return getPosition().x - m_size.width * m_anchorPoint.x;
        case WidgetTypeContainer:
            return getPosition().x;
    }
    return 0.0f;
}

float UIWidget::getBottomInParent() {
    switch (m_widgetType) {
        case WidgetTypeWidget:
            return getPosition().y - m_size.height * m_anchorPoint.y;
        case WidgetTypeContainer:
            return getPosition().y;
    }
    return 0.0f;
}

float UIWidget::getRightInParent() {
    return getLeftInParent() + m_size.width;
}

float UIWidget::getTopInParent() {
    return getBottomInParent() + m_size.height;
}

void UIWidget::setLayoutParameter(LayoutParameter* parameter) {
    CC_SAFE_RETAIN(parameter);
    CC_SAFE_RELEASE(m_layoutParameter);
    m_layoutParameter = parameter;
}

// --- lifecycle

void UIWidget::onEnter() {
    if (m_children) {
        // A child's hook may change the list; walk a snapshot.
        CCArray* children = CCArray::createWithArray(m_children);
        for (CCObject* object : *children) {
            static_cast<UIWidget*>(object)->onEnter();
        }
    }
    m_running = true;

    const CCSize whole = parentSize();
    if (m_sizeType == SIZE_ABSOLUTE) {
        m_size = effectiveSize(m_requestedSize);
        m_sizePercent = fractionOf(m_requestedSize.width, m_requestedSize.height, whole);
    } else {
        const CCSize requested(m_sizePercent.x * whole.width, m_sizePercent.y * whole.height);
        m_size = effectiveSize(requested);
        m_requestedSize = requested;
    }
    handleSizeChange();

    if (!m_renderer) {
        return;
    }
    CCPoint position = m_renderer->getPosition();
    if (m_positionType == POSITION_ABSOLUTE) {
        m_positionPercent = fractionOf(position.x, position.y, whole);
    } else {
        position = CCPoint(m_positionPercent.x * whole.width, m_positionPercent.y * whole.height);
    }
    m_renderer->setPosition(position);
}

void UIWidget::onExit() {
    m_running = false;
    if (m_children) {
        CCArray* children = CCArray::createWithArray(m_children);
        for (CCObject* object : *children) {
            static_cast<UIWidget*>(object)->onExit();
        }
    }
}

void UIWidget::unscheduleSubtreeUpdates() {
    if (m_scheduler) {
        m_scheduler->unscheduleUpdateForTarget(this);
    }
    if (m_children) {
        for (CCObject* object : *m_children) {
            static_cast<UIWidget*>(object)->unscheduleSubtreeUpdates();
        }
    }
}

// --- nodes

CCNode* UIWidget::getRenderer() {
    return m_renderer;
}

// --- touches

void UIWidget::addTouchEventListener(CCObject* target, SEL_TouchEvent selector) {
    m_touchEventTarget = target;
    m_touchEventSelector = selector;
}

void UIWidget::callTouchListener(WidgetTouchEvent event) {
    if (m_touchEventTarget && m_touchEventSelector) {
        (m_touchEventTarget->*m_touchEventSelector)(this, event);
    }
}

bool UIWidget::hitTest(const CCPoint& point) {
    if (!m_renderer) {
        return false;
    }
    const CCPoint local = m_renderer->convertToNodeSpace(point);
    const float left = -m_anchorPoint.x * m_size.width;
    const float bottom = -m_anchorPoint.y * m_size.height;
    return local.x >= left && local.x <= left + m_size.width && local.y >= bottom && local.y <= bottom + m_size.height;
}

bool UIWidget::isClipAncestorHit(const CCPoint& point) {
    for (UIWidget* ancestor = m_parent; ancestor; ancestor = ancestor->m_parent) {
        Layout* layout = dynamic_cast<Layout*>(ancestor);
        if (layout && layout->isClippingEnabled() && !layout->hitTest(point)) {
            return false;
        }
    }
    return true;
}

void UIWidget::onTouchBegan(const CCPoint& point) {
    setFocused(true);
    m_touchBeganPosition = point;
    if (m_parent) {
        m_parent->onChildTouchEvent(TOUCH_EVENT_BEGAN, this, point);
    }
    callTouchListener(TOUCH_EVENT_BEGAN);
}

void UIWidget::onTouchMoved(const CCPoint& point) {
    m_touchMovedPosition = point;
    setFocused(hitTest(point));
    if (m_parent) {
        m_parent->onChildTouchEvent(TOUCH_EVENT_MOVED, this, point);
    }
    callTouchListener(TOUCH_EVENT_MOVED);
}

void UIWidget::onTouchEnded(const CCPoint& point) {
    m_touchEndedPosition = point;
    const bool wasFocused = m_focused;
    setFocused(false);
    if (m_parent) {
        m_parent->onChildTouchEvent(TOUCH_EVENT_ENDED, this, point);
    }
    callTouchListener(wasFocused ? TOUCH_EVENT_ENDED : TOUCH_EVENT_CANCELED);
}

void UIWidget::onTouchCancelled(const CCPoint& point) {
    setFocused(false);
    callTouchListener(TOUCH_EVENT_CANCELED);
}

void UIWidget::onChildTouchEvent(int phase, UIWidget* sender, const CCPoint& point) {
    if (m_parent) {
        m_parent->onChildTouchEvent(phase, sender, point);
    }
}

}  // namespace lirava
