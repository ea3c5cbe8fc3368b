#pragma once

#include <string>

namespace lirava {

class CCEvent;
class CCSet;
class CCTouch;

// Receives touches from the touch dispatcher. Targeted (one-by-one) delegates get single
// touches and claim a touch by returning true from ccTouchBegan; standard (all-at-once)
// delegates get sets of touches.
class CCTouchDelegate {
public:
    virtual ~CCTouchDelegate() = default;

    virtual bool ccTouchBegan(CCTouch* touch, CCEvent* event) { return false; }
    virtual void ccTouchMoved(CCTouch* touch, CCEvent* event) {}
    virtual void ccTouchEnded(CCTouch* touch, CCEvent* event) {}
    virtual void ccTouchCancelled(CCTouch* touch, CCEvent* event) {}

    virtual void ccTouchesBegan(CCSet* touches, CCEvent* event) {}
    virtual void ccTouchesMoved(CCSet* touches, CCEvent* event) {}
    virtual void ccTouchesEnded(CCSet* touches, CCEvent* event) {}
    virtual void ccTouchesCancelled(CCSet* touches, CCEvent* event) {}
};

// Interfaces a layer mixes in next to the touch delegate. The accelerometer has no events on
// this platform.
class CCAccelerometerDelegate {
public:
    virtual ~CCAccelerometerDelegate() = default;
};

// Receives keys from the keypad dispatcher (CCKeypadDispatcher). Key names are SDL's: "Left",
// "Right", "Up", "Down", "Space", "Return", "Home", "Escape", "F11", "Backspace", "A", ...
class CCKeypadDelegate {
public:
    virtual ~CCKeypadDelegate() = default;
    virtual void keyBackClicked() {}
    virtual void keyMenuClicked() {}
    // A key went down; repeat is set for the presses the system repeats while the key is held.
    // Returning true uses the key up: no other delegate sees it.
    virtual bool keyPressed(const std::string& name, bool repeat) { return false; }
    virtual void keyReleased(const std::string& name) {}
};

}  // namespace lirava
