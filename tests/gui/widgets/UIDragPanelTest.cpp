#include <gtest/gtest.h>

#include <cmath>

#include "WidgetTestSupport.h"
#include "engine/actions/CCScheduler.h"
#include "engine/platform/CCDirector.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UIDragPanel.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"
#include "gui/widgets/UITouchRouter.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

constexpr float kFrame = 1.0f / 60.0f;

// A 200 x 200 panel at (100, 100) over 400 x 400 content, which starts at (0, -200).
class UIDragPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer = UILayer::create();
        layer->retain();
        panel = UIDragPanel::create();
        panel->setSize(CCSize(200, 200));
        panel->setInnerSize(CCSize(400, 400));
        panel->setPosition(CCPoint(100, 100));
        layer->getRootWidget()->addChild(panel);
        button = UIButton::create();
        button->loadTextureNormal(test::solidImage("card.png", 40, 40, ccc4(200, 0, 0, 255)).c_str());
        button->setTouchEnabled(true);
        button->setPosition(CCPoint(100, 300));  // its middle at (200, 200) on screen
        panel->addChild(button);
    }
    void TearDown() override {
        layer->release();
        test::drainAutoreleasePool();
    }

    UITouchRouter* router() { return layer->getTouchRouter(); }
    Layout* inner() { return panel->getInnerContainer(); }
    void frames(int count, float dt = kFrame) {
        for (int i = 0; i < count; ++i) {
            CCDirector::sharedDirector()->getScheduler()->update(dt);
        }
    }

    UILayer* layer = nullptr;
    UIDragPanel* panel = nullptr;
    UIButton* button = nullptr;
};

TEST_F(UIDragPanelTest, WithoutBounceNoGapEverOpens) {
    EXPECT_EQ(inner()->getPosition(), CCPoint(0, -200));
    router()->touchBegan(CCPoint(150, 150));
    router()->touchMoved(CCPoint(200, 150));
    EXPECT_EQ(inner()->getPosition(), CCPoint(0, -200)) << "the left edge is already at the left";
    router()->touchMoved(CCPoint(120, 130));
    EXPECT_EQ(inner()->getPosition(), CCPoint(-80, -200)) << "the way down is closed, the way left open";
    router()->touchMoved(CCPoint(-500, 900));
    EXPECT_EQ(inner()->getPosition(), CCPoint(-200, 0)) << "both clamped at the far edges";
    router()->touchEnded(CCPoint(-500, 900));
}

TEST_F(UIDragPanelTest, WithBounceContentFollowsPastTheEdgeAndSpringsBack) {
    panel->setBounceEnabled(true);
    router()->touchBegan(CCPoint(150, 150));
    router()->touchMoved(CCPoint(200, 150));
    EXPECT_EQ(inner()->getPosition(), CCPoint(50, -200));
    EXPECT_EQ(panel->getMoveType(), DRAGPANEL_MOVE_TYPE_AUTOMOVE) << "nothing glides yet";
    EXPECT_FALSE(panel->isGliding());

    router()->touchMoved(CCPoint(350, 150));  // off the panel
    EXPECT_EQ(inner()->getPosition(), CCPoint(200, -200));
    EXPECT_TRUE(panel->isTouchCancelled());
    EXPECT_EQ(panel->getMoveType(), DRAGPANEL_MOVE_TYPE_BOUNCE);
    EXPECT_EQ(panel->getBounceDirection(), DRAGPANEL_BOUNCE_DIR_LEFT);
    EXPECT_EQ(panel->getGlideDelta(), CCPoint(-200, 0));
    router()->touchMoved(CCPoint(380, 150));
    EXPECT_EQ(inner()->getPosition(), CCPoint(200, -200)) << "the finger no longer drags";

    frames(16);  // half the time has passed: the square root puts it 71% of the way back
    EXPECT_NEAR(inner()->getPosition().x, 200.0f - 200.0f * std::sqrt(0.5f), 0.01f);
    frames(20);
    EXPECT_EQ(inner()->getPosition(), CCPoint(0, -200));
    EXPECT_EQ(panel->getMoveType(), DRAGPANEL_MOVE_TYPE_NONE);
    EXPECT_EQ(panel->getBounceDirection(), DRAGPANEL_BOUNCE_DIR_NONE);
    EXPECT_FALSE(panel->isGliding());
    router()->touchEnded(CCPoint(380, 150));
}

struct BounceCase {
    CCPoint contentAt;
    DRAGPANEL_BOUNCE_DIR direction;
    CCPoint delta;
};

TEST_F(UIDragPanelTest, BounceTargetsTheNearestCornerOrEdgeInTableOrder) {
    panel->setBounceEnabled(true);
    const BounceCase cases[] = {
        {CCPoint(30, 20), DRAGPANEL_BOUNCE_DIR_LEFTBOTTOM, CCPoint(-30, -20)},
        {CCPoint(30, -250), DRAGPANEL_BOUNCE_DIR_LEFTTOP, CCPoint(-30, 50)},
        {CCPoint(-250, 20), DRAGPANEL_BOUNCE_DIR_RIGHTBOTTOM, CCPoint(50, -20)},
        {CCPoint(-250, -250), DRAGPANEL_BOUNCE_DIR_RIGHTTOP, CCPoint(50, 50)},
        {CCPoint(30, -100), DRAGPANEL_BOUNCE_DIR_LEFT, CCPoint(-30, 0)},
        {CCPoint(-100, -250), DRAGPANEL_BOUNCE_DIR_TOP, CCPoint(0, 50)},
        {CCPoint(-250, -100), DRAGPANEL_BOUNCE_DIR_RIGHT, CCPoint(50, 0)},
        {CCPoint(-100, 20), DRAGPANEL_BOUNCE_DIR_BOTTOM, CCPoint(0, -20)},
    };
    for (const BounceCase& c : cases) {
        // A drag of (20, 20) that ends off the panel leaves the content at c.contentAt.
        inner()->setPosition(c.contentAt - CCPoint(20, 20));
        router()->touchBegan(CCPoint(290, 290));
        router()->touchMoved(CCPoint(310, 310));
        EXPECT_EQ(panel->getBounceDirection(), c.direction) << "content at " << c.contentAt.x << ", " << c.contentAt.y;
        EXPECT_EQ(panel->getGlideDelta(), c.delta);
        router()->touchEnded(CCPoint(310, 310));
        frames(40);
        EXPECT_EQ(inner()->getPosition(), c.contentAt + c.delta);
    }
}

TEST_F(UIDragPanelTest, ReleaseStartsAnAutoMoveOfTheAverageTravelPerFrame) {
    inner()->setPosition(CCPoint(-100, -200));
    router()->touchBegan(CCPoint(150, 150));
    frames(1, 0.25f);
    router()->touchMoved(CCPoint(180, 150));
    router()->touchEnded(CCPoint(180, 150));
    EXPECT_EQ(inner()->getPosition(), CCPoint(-70, -200));
    EXPECT_EQ(panel->getMoveType(), DRAGPANEL_MOVE_TYPE_AUTOMOVE);
    ASSERT_TRUE(panel->isGliding());
    EXPECT_EQ(panel->getGlideDelta(), CCPoint(2, 0)) << "(30 / 15, 0): 30 points over 15 frames";
    frames(40);
    EXPECT_EQ(inner()->getPosition(), CCPoint(-68, -200));
    EXPECT_EQ(panel->getMoveType(), DRAGPANEL_MOVE_TYPE_NONE);
}

TEST_F(UIDragPanelTest, AutoMoveIsClampedBeforeItStartsAndShiftedByOutsideMoves) {
    inner()->setPosition(CCPoint(-31, -200));
    router()->touchBegan(CCPoint(150, 150));
    frames(1, 0.25f);
    router()->touchMoved(CCPoint(180, 150));
    router()->touchEnded(CCPoint(180, 150));
    EXPECT_EQ(panel->getGlideDelta(), CCPoint(1, 0)) << "only one point is left before the left edge";

    inner()->setPosition(CCPoint(-120, -200));
    router()->touchBegan(CCPoint(150, 150));
    frames(1, 0.25f);
    router()->touchMoved(CCPoint(150, 180));
    router()->touchEnded(CCPoint(150, 180));
    EXPECT_EQ(panel->getGlideDelta(), CCPoint(0, 2));
    frames(3);
    inner()->setPosition(inner()->getPosition() + CCPoint(-10, 0));  // moved by something else
    frames(40);
    EXPECT_EQ(inner()->getPosition(), CCPoint(-130, -168)) << "the glide carries the outside move along";
}

TEST_F(UIDragPanelTest, PressStopsAnAutoMoveButNotABounce) {
    inner()->setPosition(CCPoint(-100, -100));
    router()->touchBegan(CCPoint(150, 150));
    frames(1, 0.25f);
    router()->touchMoved(CCPoint(210, 150));
    router()->touchEnded(CCPoint(210, 150));
    frames(5);
    ASSERT_TRUE(panel->isGliding());
    router()->touchBegan(CCPoint(150, 150));
    EXPECT_FALSE(panel->isGliding());
    EXPECT_TRUE(panel->isTouchPressed());
    const CCPoint caught = inner()->getPosition();
    frames(40);
    EXPECT_EQ(inner()->getPosition(), caught) << "stopped where it was";
    router()->touchEnded(CCPoint(150, 150));

    panel->setBounceEnabled(true);
    inner()->setPosition(CCPoint(-20, -200));
    router()->touchBegan(CCPoint(290, 150));
    router()->touchMoved(CCPoint(330, 150));
    router()->touchEnded(CCPoint(330, 150));
    ASSERT_EQ(panel->getMoveType(), DRAGPANEL_MOVE_TYPE_BOUNCE);
    frames(5);
    router()->touchBegan(CCPoint(150, 150));
    EXPECT_FALSE(panel->isTouchPressed()) << "a press during a bounce is refused";
    EXPECT_TRUE(panel->isGliding());
    router()->touchMoved(CCPoint(100, 100));
    router()->touchEnded(CCPoint(100, 100));
    frames(40);
    EXPECT_EQ(inner()->getPosition(), CCPoint(0, -200));
}

TEST_F(UIDragPanelTest, ReleaseInTheFrameOfItsPressStartsNoAutoMove) {
    inner()->setPosition(CCPoint(-100, -100));
    router()->touchBegan(CCPoint(150, 150));
    router()->touchMoved(CCPoint(170, 150));
    router()->touchEnded(CCPoint(170, 150));
    EXPECT_FALSE(panel->isGliding());
    EXPECT_EQ(panel->getMoveType(), DRAGPANEL_MOVE_TYPE_NONE);
    EXPECT_EQ(inner()->getPosition(), CCPoint(-80, -100));

    // A drag released off the panel starts no auto move, and its time is not carried over.
    router()->touchBegan(CCPoint(150, 150));
    frames(1, 5.0f);
    router()->touchMoved(CCPoint(150, 120));
    router()->touchEnded(CCPoint(50, 50));
    router()->touchBegan(CCPoint(150, 150));
    frames(1, 0.25f);
    router()->touchMoved(CCPoint(180, 150));
    router()->touchEnded(CCPoint(180, 150));
    EXPECT_EQ(panel->getGlideDelta(), CCPoint(2, 0));
}

TEST_F(UIDragPanelTest, ChildLosesFocusOnlyBeyondFivePointsOfStraightDistance) {
    ASSERT_TRUE(router()->touchBegan(CCPoint(200, 200)));
    ASSERT_TRUE(button->isFocused());
    router()->touchMoved(CCPoint(203, 203));  // 4.2 points away
    EXPECT_TRUE(button->isFocused());
    EXPECT_EQ(inner()->getPosition(), CCPoint(0, -200));
    router()->touchMoved(CCPoint(196, 196));  // 5.7 points away
    EXPECT_FALSE(button->isFocused());
    EXPECT_EQ(inner()->getPosition(), CCPoint(-4, -200)) << "dragged from the press, clamped at the bottom";
    router()->touchEnded(CCPoint(196, 196));
}

TEST_F(UIDragPanelTest, ContentThatFitsIsNeverDragged) {
    panel->setInnerSize(CCSize(10, 10));
    EXPECT_EQ(panel->getInnerSize(), CCSize(200, 200));
    panel->setBounceEnabled(true);
    router()->touchBegan(CCPoint(150, 150));
    EXPECT_FALSE(panel->isTouchPressed());
    router()->touchMoved(CCPoint(190, 120));
    router()->touchEnded(CCPoint(190, 120));
    EXPECT_EQ(inner()->getPosition(), CCPoint(0, 0));
    EXPECT_FALSE(panel->isGliding());
}

}  // namespace
}  // namespace lirava
