#pragma once

#include "engine/base/CCAffineTransform.h"
#include "engine/base/CCArray.h"
#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"

namespace lirava {

class CCAction;
class CCActionManager;
class CCScheduler;
class CCTouch;
class Renderer;

// Scene-graph node: a transform (position, anchor, scale, rotation), a content size, a
// z-ordered list of children, and access to the scheduler and the action manager.
//
// Children are kept sorted by z-order; equal z-orders keep the order in which they were added
// (or last reordered), so drawing and hit-testing are stable.
class CCNode : public CCObject {
public:
    static CCNode* create();
    CCNode();
    ~CCNode() override;
    virtual bool init();

    // --- z-order and identity
    virtual void setZOrder(int zOrder);
    int getZOrder() const { return m_zOrder; }
    int getTag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    void* getUserData() const { return m_userData; }
    void setUserData(void* data) { m_userData = data; }
    CCObject* getUserObject() const { return m_userObject; }
    void setUserObject(CCObject* object);

    // --- transform
    virtual void setPosition(const CCPoint& position);
    void setPosition(float x, float y) { setPosition(CCPoint(x, y)); }
    const CCPoint& getPosition() const { return m_position; }
    float getPositionX() const { return m_position.x; }
    float getPositionY() const { return m_position.y; }
    void setPositionX(float x) { setPosition(CCPoint(x, m_position.y)); }
    void setPositionY(float y) { setPosition(CCPoint(m_position.x, y)); }
    virtual void setScaleX(float scaleX);
    float getScaleX() const { return m_scaleX; }
    virtual void setScaleY(float scaleY);
    float getScaleY() const { return m_scaleY; }
    virtual void setScale(float scale);
    // Meaningful when both scales are equal; returns the x scale.
    float getScale() const { return m_scaleX; }
    // Degrees, clockwise.
    virtual void setRotation(float degrees);
    float getRotation() const { return m_rotation; }
    virtual void setAnchorPoint(const CCPoint& anchor);
    const CCPoint& getAnchorPoint() const { return m_anchorPoint; }
    const CCPoint& getAnchorPointInPoints() const { return m_anchorPointInPoints; }
    virtual void setContentSize(const CCSize& size);
    const CCSize& getContentSize() const { return m_contentSize; }
    // Scenes and layers are placed by their lower-left corner whatever their anchor.
    virtual void ignoreAnchorPointForPosition(bool ignore);
    bool isIgnoreAnchorPointForPosition() const { return m_ignoreAnchorPointForPosition; }
    virtual void setVisible(bool visible);
    bool isVisible() const { return m_visible; }

    // --- hierarchy
    virtual void addChild(CCNode* child);
    virtual void addChild(CCNode* child, int zOrder);
    virtual void addChild(CCNode* child, int zOrder, int tag);
    CCNode* getChildByTag(int tag) const;
    // Never null; ordered by z-order.
    CCArray* getChildren() const { return m_children; }
    unsigned int getChildrenCount() const { return m_children->count(); }
    virtual void setParent(CCNode* parent) { m_parent = parent; }
    CCNode* getParent() const { return m_parent; }
    virtual void removeFromParent();
    virtual void removeFromParentAndCleanup(bool cleanup);
    virtual void removeChild(CCNode* child);
    virtual void removeChild(CCNode* child, bool cleanup);
    virtual void removeChildByTag(int tag, bool cleanup = true);
    virtual void removeAllChildren();
    virtual void removeAllChildrenWithCleanup(bool cleanup);
    virtual void reorderChild(CCNode* child, int zOrder);
    bool isRunning() const { return m_running; }

    // --- lifecycle (the director and transitions call these)
    virtual void onEnter();
    virtual void onEnterTransitionDidFinish();
    virtual void onExitTransitionDidStart();
    virtual void onExit();
    // Stops this node's actions and scheduled selectors, and those of its whole subtree.
    virtual void cleanup();

    // --- drawing
    // Draws the node itself; nodeToWorld maps its local space into design space.
    virtual void draw(Renderer& renderer, const CCAffineTransform& nodeToWorld);
    // Draws children with negative z-order, then the node, then the other children.
    virtual void visit(Renderer& renderer, const CCAffineTransform& parentToWorld);
    // The node's rectangle in its parent's space.
    CCRect boundingBox();

    // --- actions
    void setActionManager(CCActionManager* actionManager);
    CCActionManager* getActionManager() const { return m_actionManager; }
    CCAction* runAction(CCAction* action);
    void stopAllActions();
    void stopAction(CCAction* action);
    void stopActionByTag(int tag);
    CCAction* getActionByTag(int tag);
    unsigned int numberOfRunningActions();

    // --- scheduling
    void setScheduler(CCScheduler* scheduler);
    CCScheduler* getScheduler() const { return m_scheduler; }
    bool isScheduled(SEL_SCHEDULE selector);
    void scheduleUpdate();
    void scheduleUpdateWithPriority(int priority);
    void unscheduleUpdate();
    void schedule(SEL_SCHEDULE selector);
    void schedule(SEL_SCHEDULE selector, float interval);
    void schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay);
    void scheduleOnce(SEL_SCHEDULE selector, float delay);
    void unschedule(SEL_SCHEDULE selector);
    // Every selector and the per-frame update of this node (not its children).
    void unscheduleAllSelectors();
    void resumeSchedulerAndActions();
    void pauseSchedulerAndActions();

    // --- coordinate conversion
    virtual CCAffineTransform nodeToParentTransform();
    CCAffineTransform parentToNodeTransform();
    CCAffineTransform nodeToWorldTransform();
    CCAffineTransform worldToNodeTransform();
    CCPoint convertToNodeSpace(const CCPoint& worldPoint);
    CCPoint convertToWorldSpace(const CCPoint& nodePoint);
    // The same, relative to the anchor point instead of the lower-left corner.
    CCPoint convertToNodeSpaceAR(const CCPoint& worldPoint);
    CCPoint convertToWorldSpaceAR(const CCPoint& nodePoint);
    CCPoint convertTouchToNodeSpace(CCTouch* touch);
    CCPoint convertTouchToNodeSpaceAR(CCTouch* touch);

protected:
    // Inserts a child by z-order after every child with a z-order not above it.
    void insertChild(CCNode* child, int zOrder);
    void detachChild(CCNode* child, bool cleanup);
    void markTransformDirty() { m_transformDirty = true; }

    float m_rotation = 0.0f;
    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
    CCPoint m_position;
    CCPoint m_anchorPoint;
    CCPoint m_anchorPointInPoints;
    CCSize m_contentSize;
    CCAffineTransform m_transform = CCAffineTransformIdentity;
    bool m_transformDirty = true;

    int m_zOrder = 0;
    int m_tag = -1;
    void* m_userData = nullptr;
    CCObject* m_userObject = nullptr;
    CCArray* m_children = nullptr;
    CCNode* m_parent = nullptr;

    CCScheduler* m_scheduler = nullptr;
    CCActionManager* m_actionManager = nullptr;

    bool m_running = false;
    bool m_visible = true;
    bool m_ignoreAnchorPointForPosition = false;
};

// Tag value meaning "no tag".
constexpr int kCCNodeTagInvalid = -1;

}  // namespace lirava
