#pragma once

#include "engine/base/ccTypes.h"
#include "engine/nodes/CCNode.h"
#include "engine/platform/CCTouchDelegate.h"

namespace lirava {

// A window-sized node that can take touches. With touches enabled the layer registers itself
// with the director's touch dispatcher while it is on stage (from onEnter to onExit):
// - all-at-once mode (the default): a standard delegate at the layer's touch priority, getting
//   the ccTouches* callbacks with sets of touches;
// - one-by-one mode: a targeted, swallowing delegate at that priority, getting ccTouch* callbacks
//   and claiming a touch by returning true from ccTouchBegan.
// Lower priorities are served first; the default is 0.
class CCLayer : public CCNode, public CCTouchDelegate, public CCAccelerometerDelegate, public CCKeypadDelegate {
public:
    static CCLayer* create();
    CCLayer();
    ~CCLayer() override;
    bool init() override;

    void onEnter() override;
    void onExit() override;

    // Registers the layer with the touch dispatcher according to its mode and priority. Layers
    // that need another registration override it.
    virtual void registerWithTouchDispatcher();

    // While the layer is on stage the change takes effect at once.
    virtual void setTouchEnabled(bool enabled);
    virtual bool isTouchEnabled() const { return m_touchEnabled; }
    virtual void setTouchMode(ccTouchesMode mode);
    virtual ccTouchesMode getTouchMode() const { return m_touchMode; }
    virtual void setTouchPriority(int priority);
    virtual int getTouchPriority() const { return m_touchPriority; }

    // With the keypad enabled the layer gets keys (CCKeypadDelegate) from the director's keypad
    // dispatcher while it is on stage; the change takes effect at once.
    virtual void setKeypadEnabled(bool enabled);
    virtual bool isKeypadEnabled() const { return m_keypadEnabled; }
    // Stored only: there is no accelerometer on this platform.
    virtual void setAccelerometerEnabled(bool enabled) { m_accelerometerEnabled = enabled; }
    virtual bool isAccelerometerEnabled() const { return m_accelerometerEnabled; }

protected:
    bool m_touchEnabled = false;
    ccTouchesMode m_touchMode = kCCTouchesAllAtOnce;
    int m_touchPriority = 0;
    bool m_keypadEnabled = false;
    bool m_accelerometerEnabled = false;

private:
    void unregisterFromTouchDispatcher();
};

}  // namespace lirava
