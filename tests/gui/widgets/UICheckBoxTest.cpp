#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "engine/nodes/CCSprite.h"
#include "gui/widgets/UICheckBox.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"
#include "gui/widgets/UITouchRouter.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

class UICheckBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer = UILayer::create();
        layer->retain();
        box = UICheckBox::create();
        box->loadTextures(test::solidImage("box.png", 40, 40, ccc4(255, 255, 255, 255)).c_str(),
                          test::solidImage("box_pressed.png", 40, 40, ccc4(200, 200, 255, 255)).c_str(),
                          test::solidImage("cross.png", 20, 20, ccc4(0, 160, 0, 255)).c_str(),
                          test::solidImage("box_disabled.png", 40, 40, ccc4(128, 128, 128, 255)).c_str(),
                          test::solidImage("cross_disabled.png", 20, 20, ccc4(90, 90, 90, 255)).c_str());
        box->setTouchEnabled(true);
        box->setPosition(CCPoint(100, 100));
        layer->getRootWidget()->addChild(box);
        recorder.listenTo(box);
    }
    void TearDown() override {
        layer->release();
        test::drainAutoreleasePool();
    }

    void tap(const CCPoint& press, const CCPoint& release) {
        router()->touchBegan(press);
        router()->touchEnded(release);
    }
    UITouchRouter* router() { return layer->getTouchRouter(); }

    UILayer* layer = nullptr;
    UICheckBox* box = nullptr;
    test::TouchRecorder recorder;
};

TEST_F(UICheckBoxTest, StartsClearedAtTheBoxSize) {
    EXPECT_FALSE(box->getSelectedState());
    EXPECT_FALSE(box->getFrontCross()->isVisible());
    EXPECT_EQ(box->getSize(), CCSize(40, 40));
    EXPECT_STREQ(box->getTypeName(), "CheckBox");
}

TEST_F(UICheckBoxTest, TapInsideTogglesAndReportsEnded) {
    tap(CCPoint(100, 100), CCPoint(105, 95));
    EXPECT_EQ(recorder.events, (std::vector<WidgetTouchEvent>{TOUCH_EVENT_BEGAN, TOUCH_EVENT_ENDED}));
    EXPECT_TRUE(box->getSelectedState());
    EXPECT_TRUE(box->getFrontCross()->isVisible());
    EXPECT_TRUE(box->getBackGroundBox()->isVisible()) << "back to the normal look";
    EXPECT_FALSE(box->getBackGroundBoxSelected()->isVisible());

    tap(CCPoint(100, 100), CCPoint(100, 100));
    EXPECT_FALSE(box->getSelectedState());
    EXPECT_FALSE(box->getFrontCross()->isVisible());
}

TEST_F(UICheckBoxTest, ReleaseOutsideTellsNothingAndKeepsTheState) {
    router()->touchBegan(CCPoint(100, 100));
    EXPECT_TRUE(box->getBackGroundBoxSelected()->isVisible()) << "pressed look while the finger is on it";
    router()->touchMoved(CCPoint(200, 200));
    EXPECT_TRUE(box->getBackGroundBox()->isVisible()) << "normal look once dragged off";
    router()->touchEnded(CCPoint(200, 200));
    EXPECT_EQ(recorder.events, (std::vector<WidgetTouchEvent>{TOUCH_EVENT_BEGAN, TOUCH_EVENT_MOVED}));
    EXPECT_FALSE(box->getSelectedState());
    EXPECT_EQ(box->getTouchEndPos(), CCPointZero) << "an outside release is not recorded";
}

TEST_F(UICheckBoxTest, DisabledLookHidesTheCrossUntilTheStateIsSetAgain) {
    box->setSelectedState(true);
    box->setBright(false);
    EXPECT_TRUE(box->getBackGroundBoxDisabled()->isVisible());
    EXPECT_TRUE(box->getFrontCrossDisabled()->isVisible());
    EXPECT_FALSE(box->getFrontCross()->isVisible());
    EXPECT_FALSE(box->getBackGroundBox()->isVisible());

    box->setBright(true);
    EXPECT_TRUE(box->getBackGroundBox()->isVisible());
    EXPECT_FALSE(box->getFrontCrossDisabled()->isVisible());
    EXPECT_FALSE(box->getFrontCross()->isVisible()) << "the normal look does not bring the cross back";
    box->setSelectedState(true);
    EXPECT_TRUE(box->getFrontCross()->isVisible());

    // A cleared box shows no disabled cross either.
    box->setSelectedState(false);
    box->setBright(false);
    EXPECT_FALSE(box->getFrontCrossDisabled()->isVisible());
}

TEST_F(UICheckBoxTest, RequestedSizeStretchesAllFiveImages) {
    box->setIgnoreSize(false);
    box->setSize(CCSize(80, 20));
    EXPECT_FLOAT_EQ(box->getBackGroundBox()->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(box->getBackGroundBox()->getScaleY(), 0.5f);
    EXPECT_FLOAT_EQ(box->getFrontCross()->getScaleX(), 4.0f);
    EXPECT_FLOAT_EQ(box->getFrontCrossDisabled()->getScaleY(), 1.0f);
    box->setIgnoreSize(true);
    EXPECT_EQ(box->getSize(), CCSize(40, 40));
    EXPECT_FLOAT_EQ(box->getFrontCross()->getScaleX(), 1.0f);
}

TEST_F(UICheckBoxTest, FlipsAndAnchorReachEverySprite) {
    box->setFlipX(true);
    box->setAnchorPoint(CCPoint(0, 1));
    EXPECT_TRUE(box->isFlipX());
    for (CCSprite* sprite : {box->getBackGroundBox(), box->getBackGroundBoxSelected(), box->getFrontCross(),
                             box->getBackGroundBoxDisabled(), box->getFrontCrossDisabled()}) {
        EXPECT_TRUE(sprite->isFlipX());
        EXPECT_EQ(sprite->getAnchorPoint(), CCPoint(0, 1));
    }
    // Empty names leave the images as they were.
    box->loadTextureFrontCross(nullptr);
    box->loadTextureFrontCross("");
    EXPECT_EQ(box->getFrontCross()->getContentSize(), CCSize(20, 20));
}

}  // namespace
}  // namespace lirava
