#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "engine/nodes/CCSprite.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/UIImageView.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

class UIImageViewTest : public ::testing::Test {
protected:
    void TearDown() override { test::drainAutoreleasePool(); }
    static std::string image() { return test::solidImage("view40x10.png", 40, 10, {0, 120, 0, 255}); }
};

TEST_F(UIImageViewTest, SizeFollowsTheImageUntilARequestTakesOver) {
    UIImageView* view = UIImageView::create();
    EXPECT_STREQ(view->getTypeName(), "ImageView");
    view->loadTexture(image().c_str());
    EXPECT_EQ(view->getSize(), CCSize(40, 10));
    view->setSize(CCSize(80, 40));
    EXPECT_EQ(view->getSize(), CCSize(40, 10));
    view->setIgnoreSize(false);
    EXPECT_EQ(view->getSize(), CCSize(80, 40));
    EXPECT_FLOAT_EQ(view->getRenderer()->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(view->getRenderer()->getScaleY(), 4.0f);

    view->loadTexture(nullptr);
    view->loadTexture("");
    EXPECT_EQ(view->getRendererSize(), CCSize(40, 10));
}

TEST_F(UIImageViewTest, NineSliceKeepsTheRequestAndSwitchingBackRestoresIgnoreSize) {
    UIImageView* view = UIImageView::create();
    view->loadTexture(image().c_str());
    view->setSize(CCSize(120, 30));
    view->setCapInsets(CCRect(2, 2, 30, 6));
    view->setFlipX(true);
    EXPECT_TRUE(view->isFlipX());

    view->setScale9Enabled(true);
    EXPECT_EQ(view->getSize(), CCSize(120, 30));
    auto* slices = dynamic_cast<CCScale9Sprite*>(view->getRenderer());
    ASSERT_NE(slices, nullptr);
    EXPECT_EQ(slices->getPreferredSize(), CCSize(120, 30));
    EXPECT_EQ(slices->getCapInsets(), CCRect(2, 2, 30, 6));
    EXPECT_FALSE(view->isFlipX());
    view->setIgnoreSize(true);
    EXPECT_FALSE(view->isIgnoreContentAdaptWithSize());

    view->setScale9Enabled(false);
    EXPECT_TRUE(view->isIgnoreContentAdaptWithSize());
    auto* sprite = dynamic_cast<CCSprite*>(view->getRenderer());
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getContentSize(), CCSize(40, 10)) << "the same image, as a plain sprite";
    EXPECT_EQ(view->getSize(), CCSize(40, 10));
    EXPECT_EQ(sprite->getParent(), view->getContainerNode());
    EXPECT_EQ(slices->getParent(), nullptr);
}

TEST_F(UIImageViewTest, AnchorReachesTheImage) {
    UIImageView* view = UIImageView::create();
    view->loadTexture(image().c_str());
    view->setAnchorPoint(CCPoint(1, 0));
    EXPECT_EQ(view->getRenderer()->getAnchorPoint(), CCPoint(1, 0));
    view->setPosition(CCPoint(100, 100));
    EXPECT_TRUE(view->hitTest(CCPoint(60, 110)));
    EXPECT_FALSE(view->hitTest(CCPoint(101, 105)));
}

}  // namespace
}  // namespace lirava
