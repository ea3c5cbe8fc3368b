#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCTouch.h"
#include "engine/platform/CCTouchDispatcher.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"
#include "gui/widgets/UITouchRouter.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

UIWidget* touchable(float x, float y, float w, float h, const char* name) {
    UIWidget* widget = UIWidget::create();
    widget->setIgnoreSize(false);
    widget->setSize(CCSize(w, h));
    widget->setAnchorPoint(CCPointZero);
    widget->setPosition(CCPoint(x, y));
    widget->setTouchEnabled(true);
    widget->setName(name);
    return widget;
}

Layout* panel(float x, float y, float w, float h, const char* name) {
    Layout* layout = Layout::create();
    layout->setSize(CCSize(w, h));
    layout->setPosition(CCPoint(x, y));
    layout->setName(name);
    return layout;
}

// Clears the layer from inside a listener, the way a screen tears itself down on a tap.
class ClearingListener : public CCObject {
public:
    explicit ClearingListener(UILayer* layer) : m_layer(layer) {}
    void onTouch(CCObject*, WidgetTouchEvent event) {
        events.push_back(event);
        if (event == TOUCH_EVENT_BEGAN) {
            m_layer->clear();
        }
    }
    std::vector<WidgetTouchEvent> events;

private:
    UILayer* m_layer;
};

class UILayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer = UILayer::create();
        layer->retain();
        touch = new CCTouch();
    }
    void TearDown() override {
        touch->release();
        layer->release();
        test::drainAutoreleasePool();
    }

    bool press(float x, float y) {
        touch->setTouchInfo(0, CCPoint(x, y));
        return layer->ccTouchBegan(touch, nullptr);
    }
    void move(float x, float y) {
        touch->setTouchInfo(0, CCPoint(x, y));
        layer->ccTouchMoved(touch, nullptr);
    }
    void release(float x, float y) {
        touch->setTouchInfo(0, CCPoint(x, y));
        layer->ccTouchEnded(touch, nullptr);
    }
    UIWidget* selected() const {
        CCArray* widgets = layer->getTouchRouter()->getSelectedWidgets();
        return widgets->empty() ? nullptr : static_cast<UIWidget*>(widgets->lastObject());
    }

    UILayer* layer = nullptr;
    CCTouch* touch = nullptr;
};

TEST_F(UILayerTest, TheTopmostOfOverlappingSiblingsIsSelected) {
    UIWidget* older = touchable(0, 0, 100, 100, "older");
    UIWidget* newer = touchable(50, 50, 100, 100, "newer");
    UIWidget* below = touchable(0, 0, 200, 200, "below");
    below->setZOrder(-1);
    layer->getRootWidget()->addChild(older);
    layer->getRootWidget()->addChild(newer);
    layer->getRootWidget()->addChild(below);

    EXPECT_TRUE(press(75, 75));
    EXPECT_EQ(selected(), newer);
    EXPECT_EQ(layer->getTouchRouter()->getSelectedWidgets()->count(), 1u);
    release(75, 75);
    EXPECT_TRUE(layer->getTouchRouter()->getSelectedWidgets()->empty());

    older->setZOrder(5);
    press(75, 75);
    EXPECT_EQ(selected(), older);
    release(75, 75);
    press(180, 180);
    EXPECT_EQ(selected(), below);
    release(180, 180);
}

TEST_F(UILayerTest, ChildrenWinOverTheirPanelWhichTakesTheRest) {
    Layout* outer = panel(100, 100, 300, 300, "panel");
    outer->setTouchEnabled(true);
    UIWidget* button = touchable(10, 10, 50, 50, "button");
    outer->addChild(button);
    layer->getRootWidget()->addChild(outer);

    EXPECT_TRUE(press(130, 130));
    EXPECT_EQ(selected(), button);
    EXPECT_TRUE(button->isFocused());
    release(130, 130);
    EXPECT_TRUE(press(300, 300));
    EXPECT_EQ(selected(), outer);
    release(300, 300);

    // A container that takes no touches still lets its children be hit.
    outer->setTouchEnabled(false);
    EXPECT_TRUE(press(130, 130));
    release(130, 130);
    EXPECT_FALSE(press(300, 300)) << "an unclaimed touch goes on to other handlers";
    EXPECT_FALSE(press(5, 5));
}

TEST_F(UILayerTest, EligibilityIsEnabledTouchableHitAndInsideClipping) {
    Layout* clip = panel(0, 0, 100, 100, "clip");
    UIWidget* sticking = touchable(80, 80, 60, 60, "sticking");
    clip->addChild(sticking);
    layer->getRootWidget()->addChild(clip);

    EXPECT_TRUE(press(120, 120));
    release(120, 120);
    clip->setClippingEnabled(true);
    EXPECT_FALSE(press(120, 120)) << "outside the clipping panel";
    EXPECT_TRUE(press(90, 90));
    release(90, 90);

    sticking->setVisible(false);
    EXPECT_TRUE(press(90, 90)) << "visibility does not matter";
    release(90, 90);
    clip->setEnabled(false);
    EXPECT_FALSE(press(90, 90));

    // Hiding the layer hides the tree but touches are still routed.
    clip->setEnabled(true);
    layer->setVisible(false);
    EXPECT_FALSE(layer->getRootWidget()->isVisible());
    EXPECT_FALSE(layer->getRootWidget()->getContainerNode()->isVisible());
    EXPECT_TRUE(press(90, 90));
    release(90, 90);
}

TEST_F(UILayerTest, LaterPhasesGoToTheSelectedWidget) {
    UIWidget* button = touchable(0, 0, 100, 100, "button");
    layer->getRootWidget()->addChild(button);
    test::TouchRecorder recorder;
    recorder.listenTo(button);

    press(50, 50);
    move(300, 300);
    EXPECT_FALSE(button->isFocused());
    release(300, 300);
    EXPECT_EQ(recorder.events,
              (std::vector<WidgetTouchEvent>{TOUCH_EVENT_BEGAN, TOUCH_EVENT_MOVED, TOUCH_EVENT_CANCELED}));
    EXPECT_EQ(layer->getTouchRouter()->getTouchMovedPoint(), CCPoint(300, 300));

    recorder.events.clear();
    press(50, 50);
    layer->ccTouchCancelled(touch, nullptr);
    EXPECT_EQ(recorder.events, (std::vector<WidgetTouchEvent>{TOUCH_EVENT_BEGAN, TOUCH_EVENT_CANCELED}));
    EXPECT_TRUE(layer->getTouchRouter()->getSelectedWidgets()->empty());
}

TEST_F(UILayerTest, AWidgetRemovedMidTouchStillHearsTheRest) {
    UIWidget* button = touchable(0, 0, 100, 100, "button");
    layer->getRootWidget()->addChild(button);
    ClearingListener listener(layer);
    button->addTouchEventListener(&listener, toucheventselector(ClearingListener::onTouch));

    EXPECT_TRUE(press(50, 50));
    EXPECT_EQ(layer->getRootWidget()->getChildren()->count(), 0u);
    move(60, 60);
    release(60, 60);
    EXPECT_EQ(listener.events,
              (std::vector<WidgetTouchEvent>{TOUCH_EVENT_BEGAN, TOUCH_EVENT_MOVED, TOUCH_EVENT_ENDED}));
}

TEST_F(UILayerTest, TreesEnterAtOnceAndTouchesFollowTheStage) {
    UIWidget* widget = UIWidget::create();
    layer->getRootWidget()->addChild(widget);
    EXPECT_TRUE(widget->isRunning());
    EXPECT_EQ(layer->getRootWidget()->getContainerNode()->getParent(), layer);

    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    ASSERT_NE(dispatcher, nullptr);
    EXPECT_FALSE(dispatcher->isRegistered(layer));
    layer->onEnter();
    EXPECT_TRUE(dispatcher->isRegistered(layer));
    EXPECT_EQ(layer->getTouchMode(), kCCTouchesOneByOne);
    layer->onExit();
    EXPECT_FALSE(dispatcher->isRegistered(layer));

    layer->clear();
    EXPECT_EQ(layer->getRootWidget()->getChildren()->count(), 0u);
    EXPECT_FALSE(widget->isRunning());
}

}  // namespace
}  // namespace lirava
