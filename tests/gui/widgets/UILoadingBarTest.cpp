#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "engine/nodes/CCSprite.h"
#include "engine/nodes/CCSpriteFrame.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/render/CCTextureCache.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/UILoadingBar.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

class UILoadingBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        bar = UILoadingBar::create();
        image = test::solidImage("bar.png", 200, 20, ccc4(255, 128, 0, 255));
    }
    void TearDown() override { test::drainAutoreleasePool(); }

    CCSprite* sprite() { return static_cast<CCSprite*>(bar->getRenderer()); }

    UILoadingBar* bar = nullptr;
    std::string image;
};

TEST_F(UILoadingBarTest, CropsThePlainBarToThePercentage) {
    bar->loadTexture(image.c_str());
    EXPECT_EQ(bar->getSize(), CCSize(200, 20));
    EXPECT_FLOAT_EQ(bar->getFullLength(), 200.0f);
    EXPECT_EQ(bar->getPercent(), 100);
    bar->setPercent(25);
    EXPECT_EQ(sprite()->getTextureRect(), CCRect(0, 0, 50, 20));
    EXPECT_EQ(sprite()->getAnchorPoint(), CCPoint(0, 0.5f));
    EXPECT_EQ(sprite()->getPosition(), CCPoint(-100, 0)) << "grows from the left end";
}

TEST_F(UILoadingBarTest, IgnoresPercentagesOutOfRangeAndBeforeItHasALength) {
    bar->setPercent(30);
    EXPECT_EQ(bar->getPercent(), 100) << "no length yet";
    bar->loadTexture(image.c_str());
    bar->setPercent(40);
    bar->setPercent(150);
    EXPECT_EQ(bar->getPercent(), 40);
    bar->setPercent(-1);
    EXPECT_EQ(bar->getPercent(), 40);
    EXPECT_FLOAT_EQ(sprite()->getTextureRect().size.width, 80.0f);
}

TEST_F(UILoadingBarTest, RightGrowingBarIsMirroredAndAnchoredRight) {
    bar->loadTexture(image.c_str());
    bar->setDirection(LoadingBarTypeRight);
    bar->setPercent(50);
    EXPECT_TRUE(sprite()->isFlipX());
    EXPECT_EQ(sprite()->getAnchorPoint(), CCPoint(1, 0.5f));
    EXPECT_EQ(sprite()->getPosition(), CCPoint(100, 0));
    EXPECT_EQ(sprite()->getTextureRect(), CCRect(0, 0, 100, 20));

    // A reload keeps the direction's mirror and anchor, and the percentage on show.
    bar->loadTexture(image.c_str());
    EXPECT_TRUE(sprite()->isFlipX());
    EXPECT_EQ(sprite()->getAnchorPoint(), CCPoint(1, 0.5f));
    EXPECT_FLOAT_EQ(sprite()->getTextureRect().size.width, 100.0f);

    bar->setDirection(LoadingBarTypeLeft);
    EXPECT_FALSE(sprite()->isFlipX());
    EXPECT_EQ(sprite()->getPosition(), CCPoint(-100, 0));
}

TEST_F(UILoadingBarTest, RequestedSizeStretchesAndSetsTheLength) {
    bar->loadTexture(image.c_str());
    bar->setIgnoreSize(false);
    bar->setSize(CCSize(400, 10));
    EXPECT_FLOAT_EQ(bar->getFullLength(), 400.0f);
    EXPECT_FLOAT_EQ(sprite()->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(sprite()->getScaleY(), 0.5f);
    EXPECT_EQ(sprite()->getPosition(), CCPoint(-200, 0));
}

TEST_F(UILoadingBarTest, SpriteFrameKeepsItsPlaceInTheSheet) {
    const std::string sheet = test::solidImage("bar_sheet.png", 64, 64, ccc4(0, 0, 255, 255));
    CCSpriteFrame* frame = CCSpriteFrame::create(sheet.c_str(), CCRect(10, 20, 40, 8));
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFrame(frame, "bar_frame.png");
    bar->loadTexture("bar_frame.png", UI_TEX_TYPE_PLIST);
    bar->setPercent(50);
    EXPECT_EQ(sprite()->getTextureRect(), CCRect(10, 20, 20, 8));
    bar->setPercent(100);
    EXPECT_EQ(sprite()->getTextureRect(), CCRect(10, 20, 40, 8));
    CCSpriteFrameCache::sharedSpriteFrameCache()->removeSpriteFrameByName("bar_frame.png");
}

TEST_F(UILoadingBarTest, NineSliceBarIsSizedInsteadOfCropped) {
    bar->loadTexture(image.c_str());
    bar->setScale9Enabled(true);
    EXPECT_FALSE(bar->isIgnoreContentAdaptWithSize());
    bar->setIgnoreSize(true);
    EXPECT_FALSE(bar->isIgnoreContentAdaptWithSize()) << "a nine-slice bar keeps its requested size";
    bar->setSize(CCSize(300, 30));
    bar->setPercent(40);
    CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(bar->getRenderer());
    ASSERT_NE(nine, nullptr);
    EXPECT_EQ(nine->getPreferredSize(), CCSize(120, 20));
    bar->setPercent(0);
    EXPECT_FALSE(nine->isVisible()) << "an empty nine-slice bar shows nothing";

    bar->setScale9Enabled(false);
    EXPECT_TRUE(bar->isIgnoreContentAdaptWithSize()) << "the ignoreSize from before nine-slice";
    EXPECT_NE(dynamic_cast<CCSprite*>(bar->getRenderer()), nullptr);
    EXPECT_EQ(bar->getSize(), CCSize(200, 20));
}

}  // namespace
}  // namespace lirava
