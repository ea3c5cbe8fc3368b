#include "gui/widgets/UILayer.h"

#include "engine/platform/CCTouch.h"
#include "gui/widgets/UIRootWidget.h"
#include "gui/widgets/UITouchRouter.h"

namespace lirava {

UILayer* UILayer::create() {
    UILayer* layer = new UILayer();
    if (layer->init()) {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

UILayer::UILayer() = default;

UILayer::~UILayer() {
    CC_SAFE_RELEASE_NULL(m_rootWidget);
    delete m_touchRouter;
    m_touchRouter = nullptr;
}

bool UILayer::init() {
    if (!CCLayer::init()) {
        return false;
    }
    m_rootWidget = UIRootWidget::create();
    if (!m_rootWidget) {
        return false;
    }
    m_rootWidget->retain();
    // The root runs from the start, so every tree added later enters at once.
    m_rootWidget->onEnter();
    addChild(m_rootWidget->getContainerNode());
    m_touchRouter = new UITouchRouter(m_rootWidget);
    return true;
}

void UILayer::setVisible(bool visible) {
    CCLayer::setVisible(visible);
    if (m_rootWidget) {
        m_rootWidget->setVisible(visible);
    }
}

void UILayer::onEnter() {
    setTouchMode(kCCTouchesOneByOne);
    setTouchEnabled(true);
    CCLayer::onEnter();
}

void UILayer::onExit() {
    setTouchEnabled(false);
    CCLayer::onExit();
}

void UILayer::clear() {
    if (m_rootWidget) {
        m_rootWidget->removeAllChildren();
    }
}

void UILayer::dispose() {
    removeFromParentAndCleanup(true);
}

// A listener may take the layer off the stage or drop the last reference to it; the layer and
// its router stay alive until the callback is over.
bool UILayer::ccTouchBegan(CCTouch* touch, CCEvent* event) {
    if (!m_touchRouter || !touch) {
        return false;
    }
    retain();
    const bool claimed = m_touchRouter->touchBegan(touch->getLocation());
    release();
    return claimed;
}

void UILayer::ccTouchMoved(CCTouch* touch, CCEvent* event) {
    if (!m_touchRouter || !touch) {
        return;
    }
    retain();
    m_touchRouter->touchMoved(touch->getLocation());
    release();
}

void UILayer::ccTouchEnded(CCTouch* touch, CCEvent* event) {
    if (!m_touchRouter || !touch) {
        return;
    }
    retain();
    m_touchRouter->touchEnded(touch->getLocation());
    release();
}

void UILayer::ccTouchCancelled(CCTouch* touch, CCEvent* event) {
    if (!m_touchRouter || !touch) {
        return;
    }
    retain();
    m_touchRouter->touchCancelled(touch->getLocation());
    release();
}

}  // namespace lirava
