#pragma once

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

// Interfaces a layer mixes in next to the touch delegate; the program does not use their
// events, but the layer classes carry them.
class CCAccelerometerDelegate {
public:
    virtual ~CCAccelerometerDelegate() = default;
};

class CCKeypadDelegate {
public:
    virtual ~CCKeypadDelegate() = default;
    virtual void keyBackClicked() {}
    virtual void keyMenuClicked() {}
};

}  // namespace lirava
