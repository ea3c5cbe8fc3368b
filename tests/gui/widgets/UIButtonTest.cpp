#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "engine/nodes/CCSprite.h"
#include "engine/nodes/CCSpriteFrame.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/text/CCLabelTTF.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/UIButton.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

class UIButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        normal = test::solidImage("button-normal60x20.png", 60, 20, {200, 200, 200, 255});
        pressed = test::solidImage("button-pressed80x40.png", 80, 40, {100, 100, 100, 255});
        disabled = test::solidImage("button-disabled30x30.png", 30, 30, {50, 50, 50, 255});
    }
    void TearDown() override { test::drainAutoreleasePool(); }

    UIButton* loadedButton() {
        UIButton* button = UIButton::create();
        button->loadTextures(normal.c_str(), pressed.c_str(), disabled.c_str());
        return button;
    }

    std::string normal;
    std::string pressed;
    std::string disabled;
};

TEST_F(UIButtonTest, PlainButtonTakesItsNormalImagesSize) {
    UIButton* button = loadedButton();
    EXPECT_EQ(button->getSize(), CCSize(60, 20));
    EXPECT_EQ(button->getPressedTextureSize(), CCSize(80, 40));
    EXPECT_FLOAT_EQ(button->getPressedImage()->getScaleX(), 1.0f);

    button->setSize(CCSize(100, 50));
    EXPECT_EQ(button->getSize(), CCSize(60, 20));
    EXPECT_EQ(button->getRequestedSize(), CCSize(100, 50));

    // Null, empty and unreadable names: the first two change nothing, the last empties the look.
    button->loadTextureNormal(nullptr);
    button->loadTextureNormal("");
    EXPECT_EQ(button->getNormalTextureSize(), CCSize(60, 20));
    button->loadTextureDisabled("no/such/image.png");
    EXPECT_EQ(button->getDisabledTextureSize(), CCSizeZero);
}

TEST_F(UIButtonTest, RequestedSizeStretchesEveryLook) {
    UIButton* button = loadedButton();
    button->setSize(CCSize(120, 40));
    button->setIgnoreSize(false);
    EXPECT_EQ(button->getSize(), CCSize(120, 40));
    EXPECT_FLOAT_EQ(button->getNormalImage()->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(button->getNormalImage()->getScaleY(), 2.0f);
    EXPECT_FLOAT_EQ(button->getPressedImage()->getScaleX(), 1.5f);
    EXPECT_FLOAT_EQ(button->getPressedImage()->getScaleY(), 1.0f);
    EXPECT_FLOAT_EQ(button->getDisabledImage()->getScaleX(), 4.0f);

    // A look without an image stays at scale 1.
    UIButton* bare = UIButton::create();
    bare->setIgnoreSize(false);
    bare->setSize(CCSize(50, 50));
    EXPECT_FLOAT_EQ(bare->getNormalImage()->getScaleX(), 1.0f);
}

TEST_F(UIButtonTest, NineSliceButtonsKeepTheirRequestedSize) {
    UIButton* button = loadedButton();
    button->setSize(CCSize(150, 45));
    button->setCapInsets(CCRect(5, 5, 10, 10));
    ASSERT_TRUE(button->isIgnoreContentAdaptWithSize());

    button->setScale9Enabled(true);
    EXPECT_FALSE(button->isIgnoreContentAdaptWithSize());
    EXPECT_EQ(button->getSize(), CCSize(150, 45));
    auto* normalSlices = dynamic_cast<CCScale9Sprite*>(button->getNormalImage());
    ASSERT_NE(normalSlices, nullptr);
    EXPECT_EQ(normalSlices->getPreferredSize(), CCSize(150, 45));
    EXPECT_EQ(normalSlices->getCapInsets(), CCRect(5, 5, 10, 10));
    EXPECT_EQ(normalSlices->getSourceSize(), CCSize(60, 20)) << "the stored file was loaded again";
    EXPECT_EQ(dynamic_cast<CCScale9Sprite*>(button->getPressedImage())->getPreferredSize(), CCSize(150, 45));

    button->setIgnoreSize(true);
    EXPECT_FALSE(button->isIgnoreContentAdaptWithSize()) << "refused while nine-sliced";
    button->setSize(CCSize(90, 30));
    EXPECT_EQ(normalSlices->getPreferredSize(), CCSize(90, 30));

    button->setScale9Enabled(false);
    EXPECT_TRUE(button->isIgnoreContentAdaptWithSize());
    EXPECT_EQ(button->getSize(), CCSize(60, 20));
    ASSERT_NE(dynamic_cast<CCSprite*>(button->getNormalImage()), nullptr);
    EXPECT_EQ(button->getNormalImage()->getContentSize(), CCSize(60, 20));
    EXPECT_EQ(button->getBrightStyle(), BRIGHT_NORMAL);
    EXPECT_TRUE(button->getNormalImage()->isVisible());
    EXPECT_FALSE(button->getPressedImage()->isVisible());

    // A button that did not ignore its size before keeps doing so afterwards.
    button->setIgnoreSize(false);
    button->setScale9Enabled(true);
    button->setScale9Enabled(false);
    EXPECT_FALSE(button->isIgnoreContentAdaptWithSize());
}

TEST_F(UIButtonTest, LooksFollowFocusAndBrightness) {
    UIButton* button = loadedButton();
    EXPECT_EQ(button->getRenderer(), button->getNormalImage());
    button->setFocused(true);
    EXPECT_TRUE(button->getPressedImage()->isVisible());
    EXPECT_FALSE(button->getNormalImage()->isVisible());
    EXPECT_EQ(button->getRenderer(), button->getPressedImage());
    button->setBright(false);
    EXPECT_TRUE(button->getDisabledImage()->isVisible());
    EXPECT_FALSE(button->getPressedImage()->isVisible());
    EXPECT_EQ(button->getRenderer(), button->getDisabledImage());
    button->setBright(true);
    EXPECT_TRUE(button->getNormalImage()->isVisible());
    EXPECT_FALSE(button->getDisabledImage()->isVisible());
}

TEST_F(UIButtonTest, TitleStaysCentredAndKeepsItsColour) {
    UIButton* button = loadedButton();
    button->setTitleText("Go");
    button->setTitleFontSize(18);
    EXPECT_STREQ(button->getTitleText(), "Go");
    EXPECT_EQ(button->getTitleRenderer()->getPosition(), CCPointZero);

    button->setAnchorPoint(CCPointZero);
    EXPECT_EQ(button->getNormalImage()->getAnchorPoint(), CCPointZero);
    EXPECT_EQ(button->getTitleRenderer()->getPosition(), CCPoint(30, 10));
    button->setIgnoreSize(false);
    button->setSize(CCSize(100, 40));
    EXPECT_EQ(button->getTitleRenderer()->getPosition(), CCPoint(50, 20)) << "resizing keeps the title centred";

    button->setColor(ccc3(255, 0, 0));
    EXPECT_EQ(button->getTitleRenderer()->getDisplayedColor(), ccWHITE);
    EXPECT_EQ(static_cast<CCSprite*>(button->getNormalImage())->getDisplayedColor(), ccc3(255, 0, 0));
    button->setTitleColor(ccc3(0, 0, 255));
    button->setColor(ccc3(0, 255, 0));
    EXPECT_EQ(button->getTitleRenderer()->getDisplayedColor(), ccc3(0, 0, 255));
    EXPECT_EQ(button->getTitleColor(), ccc3(0, 0, 255));

    // An image loaded into a tinted button is tinted once, not twice.
    button->setColor(ccc3(128, 128, 128));
    button->loadTexturePressed(pressed.c_str());
    EXPECT_EQ(static_cast<CCSprite*>(button->getPressedImage())->getDisplayedColor(), ccc3(128, 128, 128));
}

TEST_F(UIButtonTest, FlipsReachPlainLooksAndTheTitle) {
    UIButton* button = loadedButton();
    button->setFlipX(true);
    EXPECT_TRUE(button->isFlipX());
    EXPECT_TRUE(static_cast<CCSprite*>(button->getDisabledImage())->isFlipX());
    EXPECT_TRUE(button->getTitleRenderer()->isFlipX());
    button->setScale9Enabled(true);
    EXPECT_FALSE(button->isFlipX());
}

TEST_F(UIButtonTest, SpriteFramesLoadIncludingRotatedOnes) {
    CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
    frames->addSpriteFramesWithFile("Images/cast.plist");
    CCSpriteFrame* wave = frames->spriteFrameByName("pip_wave.png");
    ASSERT_NE(wave, nullptr);
    ASSERT_TRUE(wave->isRotated()) << "the book's sheet stores this frame turned";

    UIButton* button = UIButton::create();
    button->loadTextureNormal("pip_wave.png", UI_TEX_TYPE_PLIST);
    EXPECT_EQ(button->getSize(), wave->getOriginalSize());

    button->setScale9Enabled(true);
    auto* slices = static_cast<CCScale9Sprite*>(button->getNormalImage());
    EXPECT_TRUE(slices->isSourceRotated());
    EXPECT_EQ(slices->getSourceSize(), wave->getRect().size);
    button->loadTexturePressed("no-such-frame.png", UI_TEX_TYPE_PLIST);
    EXPECT_EQ(button->getPressedTextureSize(), CCSizeZero);
}

}  // namespace
}  // namespace lirava
