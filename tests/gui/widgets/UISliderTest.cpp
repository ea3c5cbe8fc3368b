#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "engine/nodes/CCSprite.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"
#include "gui/widgets/UISlider.h"
#include "gui/widgets/UITouchRouter.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

// A container that counts the child touch phases reaching it.
class PhaseCounter : public Layout {
public:
    static PhaseCounter* create() {
        PhaseCounter* layout = new PhaseCounter();
        layout->init();
        layout->autorelease();
        return layout;
    }
    void onChildTouchEvent(int phase, UIWidget* sender, const CCPoint& point) override {
        phases.push_back(phase);
        Layout::onChildTouchEvent(phase, sender, point);
    }
    std::vector<int> phases;
};

class UISliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer = UILayer::create();
        layer->retain();
        parent = PhaseCounter::create();
        parent->setSize(CCSize(640, 960));
        layer->getRootWidget()->addChild(parent);
        slider = UISlider::create();
        slider->loadBarTexture(test::solidImage("track.png", 200, 10, ccc4(200, 200, 200, 255)).c_str());
        slider->loadProgressBarTexture(test::solidImage("progress.png", 200, 10, ccc4(0, 0, 255, 255)).c_str());
        slider->loadSlidBallTextures(test::solidImage("knob.png", 20, 20, ccc4(255, 255, 255, 255)).c_str(),
                                     test::solidImage("knob_pressed.png", 20, 20, ccc4(255, 255, 0, 255)).c_str(),
                                     test::solidImage("knob_disabled.png", 20, 20, ccc4(99, 99, 99, 255)).c_str());
        slider->setTouchEnabled(true);
        slider->setPosition(CCPoint(300, 300));  // the track runs from x 200 to 400
        parent->addChild(slider);
        recorder.listenTo(slider);
    }
    void TearDown() override {
        layer->release();
        test::drainAutoreleasePool();
    }

    UITouchRouter* router() { return layer->getTouchRouter(); }
    CCSprite* progress() { return static_cast<CCSprite*>(slider->getProgressBarNode()); }

    UILayer* layer = nullptr;
    PhaseCounter* parent = nullptr;
    UISlider* slider = nullptr;
    test::TouchRecorder recorder;
};

TEST_F(UISliderTest, TakesTheTrackSizeAndPlacesTheBallByPercent) {
    EXPECT_EQ(slider->getSize(), CCSize(200, 10));
    EXPECT_FLOAT_EQ(slider->getBarLength(), 200.0f);
    slider->setPercent(75);
    EXPECT_EQ(slider->getBallHolder()->getPosition(), CCPoint(50, 0));
    EXPECT_EQ(progress()->getTextureRect(), CCRect(0, 0, 150, 10));
    EXPECT_EQ(progress()->getPosition(), CCPoint(-100, 0));
    slider->setPercent(150);
    EXPECT_EQ(slider->getPercent(), 100);
    slider->setPercent(-20);
    EXPECT_EQ(slider->getPercent(), 0);
    EXPECT_EQ(slider->getBallHolder()->getPosition(), CCPoint(-100, 0));
}

TEST_F(UISliderTest, TapsAtBothEndsAndBeyondAreClamped) {
    router()->touchBegan(CCPoint(200, 300));
    EXPECT_EQ(slider->getPercent(), 0);
    router()->touchEnded(CCPoint(200, 300));
    router()->touchBegan(CCPoint(400, 300));
    EXPECT_EQ(slider->getPercent(), 100);
    router()->touchMoved(CCPoint(250, 300));
    EXPECT_EQ(slider->getPercent(), 25);
    router()->touchMoved(CCPoint(90, 300));
    EXPECT_EQ(slider->getPercent(), 0);
    EXPECT_EQ(slider->getBallHolder()->getPosition(), CCPoint(-100, 0)) << "the ball stops at the end";
    router()->touchMoved(CCPoint(1000, 300));
    EXPECT_EQ(slider->getPercent(), 100);
    router()->touchEnded(CCPoint(1000, 300));
}

TEST_F(UISliderTest, DraggingKeepsThePressedLookAndEndsAsEnded) {
    router()->touchBegan(CCPoint(300, 300));
    EXPECT_TRUE(slider->getBallPressed()->isVisible());
    EXPECT_FALSE(slider->getBallNormal()->isVisible());
    router()->touchMoved(CCPoint(350, 500));  // far off the slider
    EXPECT_TRUE(slider->isFocused());
    EXPECT_TRUE(slider->getBallPressed()->isVisible());
    router()->touchEnded(CCPoint(350, 500));
    EXPECT_EQ(recorder.events, (std::vector<WidgetTouchEvent>{TOUCH_EVENT_BEGAN, TOUCH_EVENT_ENDED}));
    EXPECT_EQ(parent->phases, (std::vector<int>{0, 2})) << "the parent hears no moves";
    EXPECT_TRUE(slider->getBallNormal()->isVisible());
    EXPECT_EQ(slider->getPercent(), 75);

    slider->setBright(false);
    EXPECT_TRUE(slider->getBallDisabled()->isVisible());
    EXPECT_FALSE(slider->getBallNormal()->isVisible());
}

TEST_F(UISliderTest, ATrackWithoutLengthGivesZero) {
    UISlider* bare = UISlider::create();
    bare->setTouchEnabled(true);
    bare->setIgnoreSize(false);
    bare->setSize(CCSize(0, 40));
    bare->setPosition(CCPoint(50, 50));
    bare->setPercent(60);
    bare->onTouchBegan(CCPoint(50, 50));
    EXPECT_EQ(bare->getPercent(), 0);
}

TEST_F(UISliderTest, NineSliceTrackAndProgressFollowTheRequestedLength) {
    slider->setPercent(50);
    slider->setScale9Enabled(true);
    slider->setSize(CCSize(300, 10));
    EXPECT_FLOAT_EQ(slider->getBarLength(), 300.0f);
    CCScale9Sprite* track = dynamic_cast<CCScale9Sprite*>(slider->getBarNode());
    CCScale9Sprite* filled = dynamic_cast<CCScale9Sprite*>(slider->getProgressBarNode());
    ASSERT_NE(track, nullptr);
    ASSERT_NE(filled, nullptr);
    EXPECT_EQ(track->getPreferredSize(), CCSize(300, 10));
    EXPECT_EQ(filled->getPreferredSize(), CCSize(150, 10));
    EXPECT_EQ(slider->getBallHolder()->getPosition(), CCPoint(0, 0));

    slider->setScale9Enabled(false);
    EXPECT_EQ(slider->getSize(), CCSize(200, 10)) << "back to the track's own size";
    EXPECT_EQ(progress()->getTextureRect(), CCRect(0, 0, 100, 10));
}

}  // namespace
}  // namespace lirava
