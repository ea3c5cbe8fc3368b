#pragma once

#include <cstdint>
#include <string>

#include "engine/base/CCArray.h"
#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"
#include "engine/base/ccTypes.h"

namespace lirava {

class CCActionManager;
class CCNode;
class CCScheduler;
class LayoutParameter;

// What a widget's touch-event listener is told.
enum WidgetTouchEvent {
    TOUCH_EVENT_BEGAN = 0,
    TOUCH_EVENT_MOVED = 1,
    // Released while the touch was inside the widget.
    TOUCH_EVENT_ENDED = 2,
    // Released outside the widget, or cancelled by the system.
    TOUCH_EVENT_CANCELED = 3,
};

// A touch-event listener: a member of the target, called with the widget and the event.
typedef void (CCObject::*SEL_TouchEvent)(CCObject* sender, WidgetTouchEvent event);
#define toucheventselector(_SELECTOR) static_cast<::lirava::SEL_TouchEvent>(&_SELECTOR)

// Where a widget's image comes from: a file under the resource root, or a sprite-frame name of a
// sheet already in the sprite-frame cache.
enum TextureResType {
    UI_TEX_TYPE_LOCAL = 0,
    UI_TEX_TYPE_PLIST = 1,
};

enum WidgetType {
    WidgetTypeWidget = 0,
    // Containers place their lower-left corner at their position.
    WidgetTypeContainer = 1,
};

enum BrightStyle {
    BRIGHT_NONE = -1,
    BRIGHT_NORMAL = 0,
    BRIGHT_HIGHLIGHT = 1,
};

enum SizeType {
    SIZE_ABSOLUTE = 0,
    SIZE_PERCENT = 1,
};

enum PositionType {
    POSITION_ABSOLUTE = 0,
    POSITION_PERCENT = 1,
};

// Base of every widget. A widget is a reference-counted object, not a scene node: it owns one
// node, its renderer, which is what sits in the scene graph. Adding a child widget adds it to the
// child list (ordered by z-order, equal z-orders in insertion order) and puts its renderer under
// this widget's renderer. Position, scale, rotation, colour and opacity live in the renderer.
//
// Size: with ignoreSize on (the default for plain widgets) the size follows the natural size of
// what the widget shows (getRendererSize); with it off, the size last requested by setSize.
// While running (between onEnter and onExit) the size and position are also kept as fractions of
// the parent's size.
//
// Touches: the router of a UILayer selects at most one widget per touch and drives its
// onTouchBegan/Moved/Ended/Cancelled. Each handler updates focus and look, tells the parent
// (onChildTouchEvent, which climbs to the root unless a container takes it) and calls the one
// listener last. A release outside the widget is reported as cancelled.
//
// Ownership: the children array retains the children; a widget retains its renderer and its
// layout parameter; the parent pointer and the listener target are not retained. Subclasses that
// override releaseResources call it from their own destructor too (it is safe to run twice).
class UIWidget : public CCObject {
public:
    static UIWidget* create();

    UIWidget();
    ~UIWidget() override;

    // --- flags
    virtual void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    void setVisible(bool visible);
    bool isVisible() const { return m_visible; }
    virtual void setTouchEnabled(bool enabled);
    bool isTouchEnabled() const { return m_touchEnabled; }
    void setBright(bool bright);
    bool isBright() const { return m_bright; }
    void setFocused(bool focused);
    bool isFocused() const { return m_focused; }
    void setBrightStyle(BrightStyle style);
    BrightStyle getBrightStyle() const { return m_brightStyle; }

    // --- children
    // False for null, for this widget itself and for a widget that already has a parent.
    virtual bool addChild(UIWidget* child);
    virtual bool removeChild(UIWidget* child);
    virtual void removeFromParent();
    virtual void removeAllChildren();
    // Re-inserts the child by its z-order; the scene graph keeps its own order.
    virtual void reorderChild(UIWidget* child);
    virtual CCArray* getChildren();
    UIWidget* getParent() const { return m_parent; }
    void setZOrder(int zOrder);
    int getZOrder() const { return m_zOrder; }

    // --- identity
    // Null leaves the name unchanged.
    void setName(const char* name);
    const char* getName() const { return m_name.c_str(); }
    void setTag(int tag) { m_tag = tag; }
    int getTag() const { return m_tag; }
    void setActionTag(int tag) { m_actionTag = tag; }
    int getActionTag() const { return m_actionTag; }
    WidgetType getWidgetType() const { return m_widgetType; }
    // "Widget", "Button", "Layout", ...
    virtual const char* getTypeName() const;

    // --- transform and colour (stored in the renderer)
    virtual void setAnchorPoint(const CCPoint& anchor);
    const CCPoint& getAnchorPoint() const { return m_anchorPoint; }
    void setPosition(const CCPoint& position);
    const CCPoint& getPosition() const;
    virtual void setScale(float scale);
    virtual void setScaleX(float scaleX);
    virtual void setScaleY(float scaleY);
    float getScale() const;
    float getScaleX() const;
    float getScaleY() const;
    // Degrees, clockwise.
    void setRotation(float degrees);
    float getRotation() const;
    virtual void setFlipX(bool /*flipX*/) {}
    virtual bool isFlipX() { return false; }
    virtual void setFlipY(bool /*flipY*/) {}
    virtual bool isFlipY() { return false; }
    // Without a colour renderer the setters do nothing and the getters give white, 255, false.
    virtual void setColor(const ccColor3B& color);
    virtual ccColor3B getColor();
    virtual void setOpacity(std::uint8_t opacity);
    virtual std::uint8_t getOpacity();
    virtual bool isCascadeOpacityEnabled();
    virtual void setCascadeOpacityEnabled(bool enabled);
    virtual bool isCascadeColorEnabled();
    virtual void setCascadeColorEnabled(bool enabled);
    virtual void setActionManager(CCActionManager* actionManager);
    virtual CCActionManager* getActionManager();

    // --- size and position
    virtual void setSize(const CCSize& size);
    const CCSize& getSize() const { return m_size; }
    const CCSize& getRequestedSize() const { return m_requestedSize; }
    virtual void setSizePercent(const CCPoint& percent);
    const CCPoint& getSizePercent() const { return m_sizePercent; }
    void setSizeType(SizeType type) { m_sizeType = type; }
    SizeType getSizeType() const { return m_sizeType; }
    void setPositionPercent(const CCPoint& percent);
    const CCPoint& getPositionPercent() const { return m_positionPercent; }
    void setPositionType(PositionType type) { m_positionType = type; }
    PositionType getPositionType() const { return m_positionType; }
    virtual void setIgnoreSize(bool ignore);
    bool isIgnoreContentAdaptWithSize() const { return m_ignoreSize; }
    // Edges of the widget's rectangle in its parent's space.
    float getLeftInParent();
    float getBottomInParent();
    float getRightInParent();
    float getTopInParent();

    void setLayoutParameter(LayoutParameter* parameter);
    LayoutParameter* getLayoutParameter() const { return m_layoutParameter; }

    // --- touches
    // Replaces any listener set before; the target is not retained.
    void addTouchEventListener(CCObject* target, SEL_TouchEvent selector);
    // Whether the world point lies in the widget's rectangle (edges included).
    virtual bool hitTest(const CCPoint& point);
    // Whether the world point lies inside every clipping container above the widget.
    bool isClipAncestorHit(const CCPoint& point);
    virtual void onTouchBegan(const CCPoint& point);
    virtual void onTouchMoved(const CCPoint& point);
    virtual void onTouchEnded(const CCPoint& point);
    virtual void onTouchCancelled(const CCPoint& point);
    // A descendant received a touch phase (0 began .. 3 cancelled); the base hands it upwards.
    virtual void onChildTouchEvent(int phase, UIWidget* sender, const CCPoint& point);
    const CCPoint& getTouchStartPos() const { return m_touchBeganPosition; }
    const CCPoint& getTouchMovePos() const { return m_touchMovedPosition; }
    const CCPoint& getTouchEndPos() const { return m_touchEndedPosition; }

    // --- nodes
    // What the widget shows: its renderer for plain widgets and containers, the current image
    // or text node for buttons, image views and labels.
    virtual CCNode* getRenderer();
    // The node that sits in the scene graph for this widget (always the renderer).
    CCNode* getContainerNode() const { return m_renderer; }
    // Natural size of what the widget shows; the base gives the widget's own size.
    virtual CCSize getRendererSize();

    // --- lifecycle
    virtual void onEnter();
    virtual void onExit();
    bool isRunning() const { return m_running; }
    virtual bool init();
    // Drops the listener, the per-frame update, the children and the renderer.
    virtual void releaseResources();
    CCScheduler* getScheduler() const { return m_scheduler; }

protected:
    // Called after every change of the size in effect.
    virtual void handleSizeChange() {}
    // Makes m_renderer (not yet retained; init retains it).
    virtual void initRenderer();
    virtual void showNormalLook() {}
    virtual void showPressedLook() {}
    virtual void showDisabledLook() {}

    // Brings a node just loaded under the renderer in step with the widget's colour and opacity,
    // as if the renderer had cascaded them to it.
    void syncColorTo(CCNode* node);
    // Stops the per-frame updates of this widget and its whole subtree.
    void unscheduleSubtreeUpdates();
    void callTouchListener(WidgetTouchEvent event);
    CCSize parentSize() const;
    // The size in effect for the requested one, by ignoreSize.
    CCSize effectiveSize(const CCSize& requested);

    bool m_enabled = true;
    bool m_visible = true;
    bool m_bright = true;
    bool m_touchEnabled = false;
    bool m_focused = false;
    int m_zOrder = 0;
    CCPoint m_anchorPoint = CCPoint(0.5f, 0.5f);
    UIWidget* m_parent = nullptr;
    BrightStyle m_brightStyle = BRIGHT_NONE;
    CCNode* m_renderer = nullptr;
    CCPoint m_touchBeganPosition;
    CCPoint m_touchMovedPosition;
    CCPoint m_touchEndedPosition;
    CCObject* m_touchEventTarget = nullptr;
    SEL_TouchEvent m_touchEventSelector = nullptr;
    int m_tag = -1;
    std::string m_name = "default";
    WidgetType m_widgetType = WidgetTypeWidget;
    int m_actionTag = 0;
    CCSize m_size;
    CCSize m_requestedSize;
    LayoutParameter* m_layoutParameter = nullptr;
    bool m_ignoreSize = false;
    CCArray* m_children = nullptr;
    CCScheduler* m_scheduler = nullptr;
    SizeType m_sizeType = SIZE_ABSOLUTE;
    CCPoint m_sizePercent;
    PositionType m_positionType = POSITION_ABSOLUTE;
    CCPoint m_positionPercent;
    bool m_running = false;

private:
    void insertByZOrder(UIWidget* child);
};

}  // namespace lirava
