#pragma once

#include "engine/nodes/CCLayer.h"

namespace lirava {

class UIRootWidget;
class UITouchRouter;
class UIWidget;

// The engine layer that shows a widget tree and feeds it touches. It owns a window-sized root
// widget that is running from the start, so a tree added to it (getRootWidget()->addChild) enters
// at once. While the layer is on stage it takes single touches at the layer's default priority
// and claims those that select a widget; touches that select none go on to other handlers.
class UILayer : public CCLayer {
public:
    static UILayer* create();

    UILayer();
    ~UILayer() override;

    bool init() override;
    // Hides or shows the layer and the root widget; touches are routed either way.
    void setVisible(bool visible) override;
    void onEnter() override;
    void onExit() override;

    // Removes every widget tree.
    virtual void clear();
    // Takes the layer off its parent, with cleanup.
    virtual void dispose();

    UIRootWidget* getRootWidget() const { return m_rootWidget; }
    UITouchRouter* getTouchRouter() const { return m_touchRouter; }

    bool ccTouchBegan(CCTouch* touch, CCEvent* event) override;
    void ccTouchMoved(CCTouch* touch, CCEvent* event) override;
    void ccTouchEnded(CCTouch* touch, CCEvent* event) override;
    void ccTouchCancelled(CCTouch* touch, CCEvent* event) override;

private:
    UIRootWidget* m_rootWidget = nullptr;
    UITouchRouter* m_touchRouter = nullptr;
};

}  // namespace lirava
