#include "engine/nodes/CCLayer.h"

#include "engine/platform/CCDirector.h"
#include "engine/platform/CCKeypadDispatcher.h"
#include "engine/platform/CCTouchDispatcher.h"

namespace lirava {

CCLayer* CCLayer::create() {
    CCLayer* layer = new CCLayer();
    if (layer->init()) {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

CCLayer::CCLayer() {
    ignoreAnchorPointForPosition(true);
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

CCLayer::~CCLayer() = default;

bool CCLayer::init() {
    setContentSize(CCDirector::sharedDirector()->getWinSize());
    return true;
}

void CCLayer::registerWithTouchDispatcher() {
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    if (m_touchMode == kCCTouchesAllAtOnce) {
        dispatcher->addStandardDelegate(this, m_touchPriority);
    } else {
        dispatcher->addTargetedDelegate(this, m_touchPriority, true);
    }
}

void CCLayer::unregisterFromTouchDispatcher() {
    CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
}

void CCLayer::onEnter() {
    // Register before the children enter, so a layer is served in the order it was put on stage.
    if (m_touchEnabled) {
        registerWithTouchDispatcher();
    }
    if (m_keypadEnabled) {
        CCDirector::sharedDirector()->getKeypadDispatcher()->addDelegate(this);
    }
    CCNode::onEnter();
}

void CCLayer::onExit() {
    if (m_touchEnabled) {
        unregisterFromTouchDispatcher();
    }
    if (m_keypadEnabled) {
        CCDirector::sharedDirector()->getKeypadDispatcher()->removeDelegate(this);
    }
    CCNode::onExit();
}

void CCLayer::setKeypadEnabled(bool enabled) {
    if (m_keypadEnabled == enabled) {
        return;
    }
    m_keypadEnabled = enabled;
    if (m_running) {
        CCKeypadDispatcher* dispatcher = CCDirector::sharedDirector()->getKeypadDispatcher();
        if (enabled) {
            dispatcher->addDelegate(this);
        } else {
            dispatcher->removeDelegate(this);
        }
    }
}

void CCLayer::setTouchEnabled(bool enabled) {
    if (m_touchEnabled == enabled) {
        return;
    }
    m_touchEnabled = enabled;
    if (m_running) {
        if (enabled) {
            registerWithTouchDispatcher();
        } else {
            unregisterFromTouchDispatcher();
        }
    }
}

void CCLayer::setTouchMode(ccTouchesMode mode) {
    if (m_touchMode == mode) {
        return;
    }
    m_touchMode = mode;
    // A registered layer changes role: register it again.
    if (m_touchEnabled) {
        setTouchEnabled(false);
        setTouchEnabled(true);
    }
}

void CCLayer::setTouchPriority(int priority) {
    if (m_touchPriority == priority) {
        return;
    }
    m_touchPriority = priority;
    if (m_touchEnabled && m_running) {
        CCDirector::sharedDirector()->getTouchDispatcher()->setPriority(priority, this);
    }
}

}  // namespace lirava
