#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "engine/actions/CCScheduler.h"
#include "engine/platform/CCDirector.h"
#include "gui/document/UIToolbox.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"
#include "gui/widgets/UIScrollView.h"
#include "gui/widgets/UITouchRouter.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

constexpr float kFrame = 1.0f / 60.0f;

// A vertical view of 100 x 100 at (100, 100) with an inner container 300 high; its content is a
// 40 x 40 button whose middle sits at (150, 150) on screen.
class UIScrollViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer = UILayer::create();
        layer->retain();
        view = UIScrollView::create();
        view->setName("view");
        view->setSize(CCSize(100, 100));
        view->setInnerSize(CCSize(100, 300));
        view->setPosition(CCPoint(100, 100));
        layer->getRootWidget()->addChild(view);
        button = UIButton::create();
        button->loadTextureNormal(test::solidImage("item.png", 40, 40, ccc4(0, 200, 0, 255)).c_str());
        button->setTouchEnabled(true);
        button->setName("item");
        button->setPosition(CCPoint(50, 250));
        view->addChild(button);
        recorder.listenTo(button);
    }
    void TearDown() override {
        layer->release();
        test::drainAutoreleasePool();
    }

    UITouchRouter* router() { return layer->getTouchRouter(); }
    float innerY() { return view->getInnerContainer()->getPosition().y; }
    void frames(int count, float dt = kFrame) {
        for (int i = 0; i < count; ++i) {
            CCDirector::sharedDirector()->getScheduler()->update(dt);
        }
    }

    UILayer* layer = nullptr;
    UIScrollView* view = nullptr;
    UIButton* button = nullptr;
    test::TouchRecorder recorder;
};

TEST_F(UIScrollViewTest, ChildrenGoToTheInnerContainer) {
    EXPECT_EQ(button->getParent(), view->getInnerContainer());
    EXPECT_EQ(view->getChildren()->count(), 1u);
    EXPECT_EQ(view->getChildren()->objectAtIndex(0), button);
    EXPECT_FALSE(view->getInnerContainer()->isTouchEnabled());
    EXPECT_TRUE(view->isClippingEnabled());
    // Searches see the content, never the inner container (whose name is the default one).
    UIToolbox* toolbox = UIToolbox::sharedToolbox();
    EXPECT_EQ(toolbox->findWidgetByName(layer->getRootWidget(), "item"), button);
    EXPECT_EQ(toolbox->findWidgetByName(view, "default"), nullptr);
    UIToolbox::purgeToolbox();
    EXPECT_TRUE(view->removeChild(button));
    EXPECT_EQ(view->getChildren()->count(), 0u);
    EXPECT_FALSE(view->removeChild(button));
}

TEST_F(UIScrollViewTest, InnerContainerIsAtLeastTheViewAndStartsAtTheTop) {
    EXPECT_EQ(view->getInnerContainer()->getPosition(), CCPoint(0, -200));
    view->setInnerSize(CCSize(50, 60));
    EXPECT_EQ(view->getInnerSize(), CCSize(100, 100));
    EXPECT_EQ(view->getInnerContainer()->getPosition(), CCPoint(0, 0));
    view->setInnerSize(CCSize(100, 300));
    view->setSize(CCSize(100, 150));
    EXPECT_EQ(view->getInnerContainer()->getPosition(), CCPoint(0, -150)) << "top edges stay level";
}

TEST_F(UIScrollViewTest, DraggingStopsHardAtBothEnds) {
    router()->touchBegan(CCPoint(110, 150));  // on the view, beside the button
    router()->touchMoved(CCPoint(110, 140));
    EXPECT_FLOAT_EQ(innerY(), -200.0f) << "the top edge is already at the top";
    EXPECT_TRUE(view->isTopEnd());
    router()->touchMoved(CCPoint(110, 190));
    EXPECT_FLOAT_EQ(innerY(), -150.0f);
    EXPECT_FALSE(view->isTopEnd());
    router()->touchMoved(CCPoint(110, 500));
    EXPECT_FLOAT_EQ(innerY(), 0.0f) << "stops where its bottom edge meets the view's";
    EXPECT_TRUE(view->isBottomEnd());
    router()->touchMoved(CCPoint(110, 450));
    EXPECT_FLOAT_EQ(innerY(), -50.0f);
    router()->touchEnded(CCPoint(110, 450));
}

TEST_F(UIScrollViewTest, InertiaStartsAtTheDragSpeedAndRunsOut) {
    router()->touchBegan(CCPoint(110, 110));
    frames(1, 0.5f);
    router()->touchMoved(CCPoint(110, 210));
    router()->touchEnded(CCPoint(110, 210));
    EXPECT_FLOAT_EQ(innerY(), -100.0f);
    ASSERT_TRUE(view->isAutoScrolling());
    EXPECT_FLOAT_EQ(view->getAutoScrollSpeed(), 200.0f) << "100 points in 0.5 s";

    frames(19);
    EXPECT_TRUE(view->isAutoScrolling());
    frames(1);
    EXPECT_FALSE(view->isAutoScrolling()) << "600 points/s^2 stop 200 points/s in a third of a second";
    // It glided the sum of the frames' steps: (190 + 180 + ... + 10) / 60.
    EXPECT_NEAR(innerY(), -100.0f + 1900.0f / 60.0f, 0.01f);
    const float stopped = innerY();
    frames(10);
    EXPECT_FLOAT_EQ(innerY(), stopped);
}

TEST_F(UIScrollViewTest, QuickReleaseStartsNoInertiaAndAPressStopsIt) {
    router()->touchBegan(CCPoint(110, 110));
    frames(1, 0.010f);
    router()->touchMoved(CCPoint(110, 150));
    router()->touchEnded(CCPoint(110, 150));
    EXPECT_FALSE(view->isAutoScrolling());

    router()->touchBegan(CCPoint(110, 110));
    frames(1, 0.1f);
    router()->touchMoved(CCPoint(110, 130));
    router()->touchEnded(CCPoint(110, 130));
    ASSERT_TRUE(view->isAutoScrolling());
    router()->touchBegan(CCPoint(110, 110));
    EXPECT_FALSE(view->isAutoScrolling());
    EXPECT_FLOAT_EQ(view->getAutoScrollSpeed(), 0.0f);
    router()->touchEnded(CCPoint(110, 110));
}

TEST_F(UIScrollViewTest, InertiaStopsAtTheEnd) {
    router()->touchBegan(CCPoint(110, 110));
    frames(1, 0.1f);
    router()->touchMoved(CCPoint(110, 190));
    router()->touchEnded(CCPoint(110, 190));  // 800 points/s, far more than is left
    frames(60);
    EXPECT_FALSE(view->isAutoScrolling());
    EXPECT_FLOAT_EQ(innerY(), 0.0f);
    EXPECT_TRUE(view->isBottomEnd());
}

TEST_F(UIScrollViewTest, ChildKeepsItsTouchUntilTheFingerMovesMoreThanFivePoints) {
    ASSERT_TRUE(router()->touchBegan(CCPoint(150, 150)));
    EXPECT_TRUE(button->isFocused());
    router()->touchMoved(CCPoint(153, 154));
    EXPECT_TRUE(button->isFocused()) << "4 points along the axis";
    EXPECT_FLOAT_EQ(innerY(), -200.0f);
    router()->touchMoved(CCPoint(150, 156));
    EXPECT_FALSE(button->isFocused()) << "6 points: the view takes the drag";
    EXPECT_FLOAT_EQ(innerY(), -194.0f) << "scrolled by the whole way from the press";
    router()->touchMoved(CCPoint(150, 160));
    EXPECT_FALSE(button->isFocused()) << "still under the finger, but the view has it";
    EXPECT_FLOAT_EQ(innerY(), -190.0f);
    router()->touchEnded(CCPoint(150, 160));
    EXPECT_EQ(recorder.events.back(), TOUCH_EVENT_CANCELED);
}

TEST_F(UIScrollViewTest, SidewaysMovesNeverTakeAVerticalDrag) {
    router()->touchBegan(CCPoint(150, 150));
    router()->touchMoved(CCPoint(165, 150));
    EXPECT_TRUE(button->isFocused());
    EXPECT_FLOAT_EQ(innerY(), -200.0f);
    router()->touchEnded(CCPoint(150, 150));
    EXPECT_EQ(recorder.events.back(), TOUCH_EVENT_ENDED);
}

TEST_F(UIScrollViewTest, HorizontalViewsScrollSidewaysAndDirectionNoneNotAtAll) {
    view->setDirection(SCROLLVIEW_DIR_HORIZONTAL);
    view->setInnerSize(CCSize(300, 100));
    router()->touchBegan(CCPoint(110, 110));
    router()->touchMoved(CCPoint(150, 110));
    EXPECT_FLOAT_EQ(view->getInnerContainer()->getPosition().x, 0.0f) << "the left edge is already in place";
    EXPECT_TRUE(view->isLeftEnd());
    router()->touchMoved(CCPoint(20, 110));
    EXPECT_FLOAT_EQ(view->getInnerContainer()->getPosition().x, -130.0f);
    router()->touchMoved(CCPoint(-200, 110));
    EXPECT_FLOAT_EQ(view->getInnerContainer()->getPosition().x, -200.0f);
    EXPECT_TRUE(view->isRightEnd());
    router()->touchEnded(CCPoint(-200, 110));

    view->setDirection(SCROLLVIEW_DIR_NONE);
    const CCPoint before = view->getInnerContainer()->getPosition();
    router()->touchBegan(CCPoint(110, 110));
    router()->touchMoved(CCPoint(190, 190));
    router()->touchEnded(CCPoint(190, 190));
    frames(30);
    EXPECT_EQ(view->getInnerContainer()->getPosition(), before);
    EXPECT_FALSE(view->scrollContent(10.0f));
}

TEST_F(UIScrollViewTest, ScrollsAgainAfterBeingPutBack) {
    view->retain();
    view->removeFromParent();
    layer->getRootWidget()->addChild(view);
    view->release();
    router()->touchBegan(CCPoint(110, 110));
    frames(1, 0.5f);
    router()->touchMoved(CCPoint(110, 160));
    router()->touchEnded(CCPoint(110, 160));
    frames(2);
    EXPECT_LT(innerY(), -150.0f + 10.0f);
    EXPECT_GT(innerY(), -150.0f) << "inertia carried it on";
}

}  // namespace
}  // namespace lirava
