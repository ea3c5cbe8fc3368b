#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIPageView.h"
#include "gui/widgets/UIRootWidget.h"
#include "gui/widgets/UITouchRouter.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

class UIPageViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer = UILayer::create();
        layer->retain();
        view = UIPageView::create();
        view->setSize(CCSize(300, 200));
        view->setPosition(CCPoint(50, 50));
        view->setTouchEnabled(true);
        layer->getRootWidget()->addChild(view);
        button = UIButton::create();
        button->loadTextureNormal(test::solidImage("tile.png", 60, 60, ccc4(0, 0, 200, 255)).c_str());
        button->setTouchEnabled(true);
        button->setPosition(CCPoint(100, 100));  // its middle at (150, 150) on screen
        view->addChild(button);
    }
    void TearDown() override {
        layer->release();
        test::drainAutoreleasePool();
    }

    UITouchRouter* router() { return layer->getTouchRouter(); }

    UILayer* layer = nullptr;
    UIPageView* view = nullptr;
    UIButton* button = nullptr;
};

TEST_F(UIPageViewTest, ChildrenAreNotPagesAndStayWhereTheyWerePut) {
    EXPECT_EQ(button->getParent(), view);
    EXPECT_EQ(view->getPages()->count(), 0u);
    EXPECT_TRUE(view->isClippingEnabled());
    EXPECT_STREQ(view->getTypeName(), "PageView");
    view->setSize(CCSize(400, 200));
    EXPECT_EQ(button->getPosition(), CCPoint(100, 100));

    EXPECT_FALSE(view->removeChild(button)) << "only pages can be removed one by one";
    EXPECT_EQ(button->getParent(), view);
    EXPECT_EQ(view->getChildren()->count(), 1u);
    view->removeAllChildren();
    EXPECT_EQ(view->getChildren()->count(), 0u);
    EXPECT_EQ(button->getParent(), nullptr);
}

TEST_F(UIPageViewTest, SidewaysDragOfMoreThanFivePointsTakesTheChildsFocus) {
    test::TouchRecorder recorder;
    recorder.listenTo(button);
    ASSERT_TRUE(router()->touchBegan(CCPoint(150, 150)));
    router()->touchMoved(CCPoint(155, 150));
    EXPECT_TRUE(button->isFocused()) << "5 points is not more than 5";
    router()->touchMoved(CCPoint(156, 150));
    EXPECT_FALSE(button->isFocused());
    EXPECT_EQ(view->getMoveDirection(), 1) << "the step went right";
    router()->touchMoved(CCPoint(140, 150));
    EXPECT_EQ(view->getMoveDirection(), 0);
    EXPECT_EQ(button->getPosition(), CCPoint(100, 100)) << "without pages nothing moves";
    router()->touchEnded(CCPoint(140, 150));
    EXPECT_EQ(recorder.events.back(), TOUCH_EVENT_CANCELED);
}

TEST_F(UIPageViewTest, VerticalMovesNeverTakeFocus) {
    router()->touchBegan(CCPoint(150, 150));
    router()->touchMoved(CCPoint(152, 175));
    EXPECT_TRUE(button->isFocused());
    router()->touchEnded(CCPoint(152, 175));
    EXPECT_FALSE(view->scrollContent(10.0f));
}

}  // namespace
}  // namespace lirava
