#include "engine/nodes/CCNode.h"

#include <cmath>

#include "engine/actions/CCAction.h"
#include "engine/actions/CCActionManager.h"
#include "engine/actions/CCScheduler.h"
#include "engine/nodes/CCRGBAProtocol.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCTouch.h"

namespace lirava {

namespace {
constexpr float kDegreesToRadians = 0.01745329252f;
}

CCNode* CCNode::create() {
    CCNode* node = new CCNode();
    if (node->init()) {
        node->autorelease();
        return node;
    }
    delete node;
    return nullptr;
}

CCNode::CCNode() : m_children(new CCArray()) {
    CCDirector* director = CCDirector::sharedDirector();
    m_scheduler = director->getScheduler();
    CC_SAFE_RETAIN(m_scheduler);
    m_actionManager = director->getActionManager();
    CC_SAFE_RETAIN(m_actionManager);
}

CCNode::~CCNode() {
    // Nothing may call back into a node that is gone.
    if (m_scheduler) {
        m_scheduler->unscheduleAllForTarget(this);
    }
    for (CCObject* object : *m_children) {
        static_cast<CCNode*>(object)->m_parent = nullptr;
    }
    m_children->release();
    CC_SAFE_RELEASE(m_userObject);
    CC_SAFE_RELEASE(m_actionManager);
    CC_SAFE_RELEASE(m_scheduler);
}

bool CCNode::init() {
    return true;
}

void CCNode::setUserObject(CCObject* object) {
    CC_SAFE_RETAIN(object);
    CC_SAFE_RELEASE(m_userObject);
    m_userObject = object;
}

void CCNode::setZOrder(int zOrder) {
    if (m_parent) {
        m_parent->reorderChild(this, zOrder);
    } else {
        m_zOrder = zOrder;
    }
}

void CCNode::setPosition(const CCPoint& position) {
    m_position = position;
    markTransformDirty();
}

void CCNode::setScaleX(float scaleX) {
    m_scaleX = scaleX;
    markTransformDirty();
}

void CCNode::setScaleY(float scaleY) {
    m_scaleY = scaleY;
    markTransformDirty();
}

void CCNode::setScale(float scale) {
    m_scaleX = m_scaleY = scale;
    markTransformDirty();
}

void CCNode::setRotation(float degrees) {
    m_rotation = degrees;
    markTransformDirty();
}

void CCNode::setAnchorPoint(const CCPoint& anchor) {
    m_anchorPoint = anchor;
    m_anchorPointInPoints = CCPoint(m_contentSize.width * anchor.x, m_contentSize.height * anchor.y);
    markTransformDirty();
}

void CCNode::setContentSize(const CCSize& size) {
    m_contentSize = size;
    m_anchorPointInPoints = CCPoint(size.width * m_anchorPoint.x, size.height * m_anchorPoint.y);
    markTransformDirty();
}

void CCNode::ignoreAnchorPointForPosition(bool ignore) {
    m_ignoreAnchorPointForPosition = ignore;
    markTransformDirty();
}

void CCNode::setVisible(bool visible) {
    m_visible = visible;
}

// --- hierarchy

void CCNode::addChild(CCNode* child) {
    addChild(child, child ? child->m_zOrder : 0, child ? child->m_tag : -1);
}

void CCNode::addChild(CCNode* child, int zOrder) {
    addChild(child, zOrder, child ? child->m_tag : -1);
}

void CCNode::addChild(CCNode* child, int zOrder, int tag) {
    if (!child || child == this || child->m_parent) {
        return;  // a node has one parent; adding it twice would corrupt both child lists
    }
    insertChild(child, zOrder);
    child->m_tag = tag;
    child->setParent(this);

    // A colour node joining a cascading parent takes on the parent's tint and fade at once.
    if (CCRGBAProtocol* rgbaChild = dynamic_cast<CCRGBAProtocol*>(child)) {
        if (CCRGBAProtocol* rgbaParent = dynamic_cast<CCRGBAProtocol*>(this)) {
            if (rgbaParent->isCascadeColorEnabled()) {
                rgbaChild->updateDisplayedColor(rgbaParent->getDisplayedColor());
            }
            if (rgbaParent->isCascadeOpacityEnabled()) {
                rgbaChild->updateDisplayedOpacity(rgbaParent->getDisplayedOpacity());
            }
        }
    }

    if (m_running) {
        child->onEnter();
        child->onEnterTransitionDidFinish();
    }
}

void CCNode::insertChild(CCNode* child, int zOrder) {
    child->m_zOrder = zOrder;
    const std::vector<CCObject*>& children = m_children->data();
    unsigned int index = m_children->count();
    // Scan from the back: the new child goes after the last child whose z-order is not above
    // its own, so equal z-orders keep insertion order.
    while (index > 0 && static_cast<CCNode*>(children[index - 1])->m_zOrder > zOrder) {
        --index;
    }
    m_children->insertObject(child, index);
}

CCNode* CCNode::getChildByTag(int tag) const {
    for (CCObject* object : *m_children) {
        CCNode* child = static_cast<CCNode*>(object);
        if (child->m_tag == tag) {
            return child;
        }
    }
    return nullptr;
}

void CCNode::removeFromParent() {
    removeFromParentAndCleanup(true);
}

void CCNode::removeFromParentAndCleanup(bool cleanup) {
    if (m_parent) {
        m_parent->removeChild(this, cleanup);
    }
}

void CCNode::removeChild(CCNode* child) {
    removeChild(child, true);
}

void CCNode::removeChild(CCNode* child, bool cleanup) {
    if (child && m_children->containsObject(child)) {
        detachChild(child, cleanup);
    }
}

void CCNode::removeChildByTag(int tag, bool cleanup) {
    if (CCNode* child = getChildByTag(tag)) {
        removeChild(child, cleanup);
    }
}

void CCNode::removeAllChildren() {
    removeAllChildrenWithCleanup(true);
}

void CCNode::removeAllChildrenWithCleanup(bool cleanup) {
    while (m_children->count() > 0) {
        detachChild(static_cast<CCNode*>(m_children->lastObject()), cleanup);
    }
}

void CCNode::detachChild(CCNode* child, bool cleanup) {
    // Keep the child alive through its exit hooks even if the array held the last reference.
    child->retain();
    if (m_running) {
        child->onExitTransitionDidStart();
        child->onExit();
    }
    if (cleanup) {
        child->cleanup();
    }
    child->setParent(nullptr);
    m_children->removeObject(child);
    child->release();
}

void CCNode::reorderChild(CCNode* child, int zOrder) {
    if (!child || !m_children->containsObject(child)) {
        return;
    }
    child->retain();
    m_children->removeObject(child);
    insertChild(child, zOrder);
    child->release();
}

// --- lifecycle

void CCNode::onEnter() {
    // Copy: a hook may add or remove siblings.
    CCArray* children = CCArray::createWithArray(m_children);
    for (CCObject* object : *children) {
        static_cast<CCNode*>(object)->onEnter();
    }
    resumeSchedulerAndActions();
    m_running = true;
}

void CCNode::onEnterTransitionDidFinish() {
    CCArray* children = CCArray::createWithArray(m_children);
    for (CCObject* object : *children) {
        static_cast<CCNode*>(object)->onEnterTransitionDidFinish();
    }
}

void CCNode::onExitTransitionDidStart() {
    CCArray* children = CCArray::createWithArray(m_children);
    for (CCObject* object : *children) {
        static_cast<CCNode*>(object)->onExitTransitionDidStart();
    }
}

void CCNode::onExit() {
    pauseSchedulerAndActions();
    m_running = false;
    CCArray* children = CCArray::createWithArray(m_children);
    for (CCObject* object : *children) {
        static_cast<CCNode*>(object)->onExit();
    }
}

void CCNode::cleanup() {
    stopAllActions();
    unscheduleAllSelectors();
    CCArray* children = CCArray::createWithArray(m_children);
    for (CCObject* object : *children) {
        static_cast<CCNode*>(object)->cleanup();
    }
}

// --- drawing

void CCNode::draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) {}

void CCNode::visit(Renderer& renderer, const CCAffineTransform& parentToWorld) {
    if (!m_visible) {
        return;
    }
    const CCAffineTransform world = CCAffineTransformConcat(nodeToParentTransform(), parentToWorld);
    const std::vector<CCObject*>& children = m_children->data();
    std::size_t i = 0;
    for (; i < children.size(); ++i) {
        CCNode* child = static_cast<CCNode*>(children[i]);
        if (child->m_zOrder >= 0) {
            break;
        }
        child->visit(renderer, world);
    }
    draw(renderer, world);
    for (; i < children.size(); ++i) {
        static_cast<CCNode*>(children[i])->visit(renderer, world);
    }
}

CCRect CCNode::boundingBox() {
    const CCRect rect(0.0f, 0.0f, m_contentSize.width, m_contentSize.height);
    return CCRectApplyAffineTransform(rect, nodeToParentTransform());
}

// --- actions

void CCNode::setActionManager(CCActionManager* actionManager) {
    if (actionManager == m_actionManager) {
        return;
    }
    stopAllActions();
    CC_SAFE_RETAIN(actionManager);
    CC_SAFE_RELEASE(m_actionManager);
    m_actionManager = actionManager;
}

CCAction* CCNode::runAction(CCAction* action) {
    if (!action || !m_actionManager) {
        return action;
    }
    m_actionManager->addAction(action, this, !m_running);
    return action;
}

void CCNode::stopAllActions() {
    if (m_actionManager) {
        m_actionManager->removeAllActionsFromTarget(this);
    }
}

void CCNode::stopAction(CCAction* action) {
    if (m_actionManager) {
        m_actionManager->removeAction(action);
    }
}

void CCNode::stopActionByTag(int tag) {
    if (m_actionManager) {
        m_actionManager->removeActionByTag(tag, this);
    }
}

CCAction* CCNode::getActionByTag(int tag) {
    return m_actionManager ? m_actionManager->getActionByTag(tag, this) : nullptr;
}

unsigned int CCNode::numberOfRunningActions() {
    return m_actionManager ? m_actionManager->numberOfRunningActionsInTarget(this) : 0;
}

// --- scheduling

void CCNode::setScheduler(CCScheduler* scheduler) {
    if (scheduler == m_scheduler) {
        return;
    }
    unscheduleAllSelectors();
    CC_SAFE_RETAIN(scheduler);
    CC_SAFE_RELEASE(m_scheduler);
    m_scheduler = scheduler;
}

bool CCNode::isScheduled(SEL_SCHEDULE selector) {
    return m_scheduler && m_scheduler->isScheduledForTarget(selector, this);
}

void CCNode::scheduleUpdate() {
    scheduleUpdateWithPriority(0);
}

void CCNode::scheduleUpdateWithPriority(int priority) {
    if (m_scheduler) {
        m_scheduler->scheduleUpdateForTarget(this, priority, !m_running);
    }
}

void CCNode::unscheduleUpdate() {
    if (m_scheduler) {
        m_scheduler->unscheduleUpdateForTarget(this);
    }
}

void CCNode::schedule(SEL_SCHEDULE selector) {
    schedule(selector, 0.0f, kCCRepeatForever, 0.0f);
}

void CCNode::schedule(SEL_SCHEDULE selector, float interval) {
    schedule(selector, interval, kCCRepeatForever, 0.0f);
}

void CCNode::schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay) {
    if (m_scheduler && selector) {
        m_scheduler->scheduleSelector(selector, this, interval, repeat, delay, !m_running);
    }
}

void CCNode::scheduleOnce(SEL_SCHEDULE selector, float delay) {
    schedule(selector, 0.0f, 0, delay);
}

void CCNode::unschedule(SEL_SCHEDULE selector) {
    if (m_scheduler && selector) {
        m_scheduler->unscheduleSelector(selector, this);
    }
}

void CCNode::unscheduleAllSelectors() {
    if (m_scheduler) {
        m_scheduler->unscheduleAllForTarget(this);
    }
}

void CCNode::resumeSchedulerAndActions() {
    if (m_scheduler) {
        m_scheduler->resumeTarget(this);
    }
    if (m_actionManager) {
        m_actionManager->resumeTarget(this);
    }
}

void CCNode::pauseSchedulerAndActions() {
    if (m_scheduler) {
        m_scheduler->pauseTarget(this);
    }
    if (m_actionManager) {
        m_actionManager->pauseTarget(this);
    }
}

// --- transforms

CCAffineTransform CCNode::nodeToParentTransform() {
    if (!m_transformDirty) {
        return m_transform;
    }
    float x = m_position.x;
    float y = m_position.y;
    if (m_ignoreAnchorPointForPosition) {
        x += m_anchorPointInPoints.x;
        y += m_anchorPointInPoints.y;
    }
    // Rotation is clockwise in degrees; with y up that is a negative mathematical angle.
    float c = 1.0f;
    float s = 0.0f;
    if (m_rotation != 0.0f) {
        const float radians = -m_rotation * kDegreesToRadians;
        c = std::cos(radians);
        s = std::sin(radians);
    }
    // p -> R * S * (p - anchor) + (x, y)
    m_transform = CCAffineTransformMake(c * m_scaleX, s * m_scaleX, -s * m_scaleY, c * m_scaleY, x, y);
    if (m_anchorPointInPoints.x != 0.0f || m_anchorPointInPoints.y != 0.0f) {
        const float ax = m_anchorPointInPoints.x;
        const float ay = m_anchorPointInPoints.y;
        m_transform.tx -= m_transform.a * ax + m_transform.c * ay;
        m_transform.ty -= m_transform.b * ax + m_transform.d * ay;
    }
    m_transformDirty = false;
    return m_transform;
}

CCAffineTransform CCNode::parentToNodeTransform() {
    return CCAffineTransformInvert(nodeToParentTransform());
}

CCAffineTransform CCNode::nodeToWorldTransform() {
    CCAffineTransform t = nodeToParentTransform();
    for (CCNode* p = m_parent; p; p = p->m_parent) {
        t = CCAffineTransformConcat(t, p->nodeToParentTransform());
    }
    return t;
}

CCAffineTransform CCNode::worldToNodeTransform() {
    return CCAffineTransformInvert(nodeToWorldTransform());
}

CCPoint CCNode::convertToNodeSpace(const CCPoint& worldPoint) {
    return CCPointApplyAffineTransform(worldPoint, worldToNodeTransform());
}

CCPoint CCNode::convertToWorldSpace(const CCPoint& nodePoint) {
    return CCPointApplyAffineTransform(nodePoint, nodeToWorldTransform());
}

CCPoint CCNode::convertToNodeSpaceAR(const CCPoint& worldPoint) {
    return convertToNodeSpace(worldPoint) - m_anchorPointInPoints;
}

CCPoint CCNode::convertToWorldSpaceAR(const CCPoint& nodePoint) {
    return convertToWorldSpace(nodePoint + m_anchorPointInPoints);
}

CCPoint CCNode::convertTouchToNodeSpace(CCTouch* touch) {
    return convertToNodeSpace(touch->getLocation());
}

CCPoint CCNode::convertTouchToNodeSpaceAR(CCTouch* touch) {
    return convertToNodeSpaceAR(touch->getLocation());
}

}  // namespace lirava
