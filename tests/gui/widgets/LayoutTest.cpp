#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "engine/nodes/CCLayerColor.h"
#include "engine/nodes/CCLayerGradient.h"
#include "engine/nodes/CCSprite.h"
#include "engine/platform/CCDirector.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/LinearLayoutParameter.h"
#include "gui/widgets/RectClippingNode.h"
#include "gui/widgets/RelativeLayoutParameter.h"
#include "gui/widgets/UIListView.h"
#include "gui/widgets/UIRootWidget.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

int colourLayerCount(Layout* layout) {
    int count = 0;
    for (CCObject* child : *layout->getContainerNode()->getChildren()) {
        count += dynamic_cast<CCLayerColor*>(child) ? 1 : 0;
    }
    return count;
}

class LayoutTest : public ::testing::Test {
protected:
    void TearDown() override { test::drainAutoreleasePool(); }
    static std::string image() { return test::solidImage("panel30x30.png", 30, 30, {0, 0, 200, 255}); }
};

TEST_F(LayoutTest, ColourBackgroundsReplaceEachOther) {
    Layout* layout = Layout::create();
    layout->setSize(CCSize(200, 100));
    layout->setBackGroundColor(ccc3(10, 20, 30));
    layout->setBackGroundColor(ccc3(1, 2, 3), ccc3(4, 5, 6));
    layout->setBackGroundColorVector(CCPoint(1, 0));
    layout->setBackGroundColorOpacity(128);

    layout->setBackGroundColorType(LAYOUT_COLOR_SOLID);
    CCLayerColor* solid = layout->getColorLayer();
    ASSERT_NE(solid, nullptr);
    EXPECT_EQ(solid->getZOrder(), -2);
    EXPECT_EQ(solid->getContentSize(), CCSize(200, 100));
    EXPECT_EQ(solid->getColor(), ccc3(10, 20, 30));
    EXPECT_EQ(solid->getOpacity(), 128);

    layout->setBackGroundColorType(LAYOUT_COLOR_GRADIENT);
    EXPECT_EQ(layout->getColorLayer(), nullptr);
    CCLayerGradient* gradient = layout->getGradientLayer();
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(colourLayerCount(layout), 1);
    EXPECT_EQ(gradient->getStartColor(), ccc3(1, 2, 3));
    EXPECT_EQ(gradient->getEndColor(), ccc3(4, 5, 6));
    EXPECT_EQ(gradient->getVector(), CCPoint(1, 0));
    EXPECT_EQ(gradient->getOpacity(), 128);

    layout->setBackGroundColorType(LAYOUT_COLOR_SOLID);
    EXPECT_EQ(colourLayerCount(layout), 1);
    EXPECT_EQ(layout->getGradientLayer(), nullptr);

    // Later colour changes reach the layer of the current kind.
    layout->setBackGroundColor(ccc3(7, 8, 9));
    layout->setBackGroundColorOpacity(50);
    EXPECT_EQ(layout->getColorLayer()->getColor(), ccc3(7, 8, 9));
    EXPECT_EQ(layout->getColorLayer()->getOpacity(), 50);

    layout->setBackGroundColorType(LAYOUT_COLOR_NONE);
    EXPECT_EQ(colourLayerCount(layout), 0);
}

TEST_F(LayoutTest, SizeChangesResizeTheStencilTheLayersAndANineSliceBackground) {
    Layout* layout = Layout::create();
    layout->setBackGroundColorType(LAYOUT_COLOR_GRADIENT);
    layout->setBackGroundImage(image().c_str());
    CCNode* plain = layout->getBackGroundImage();
    ASSERT_TRUE(dynamic_cast<CCSprite*>(plain));
    EXPECT_EQ(plain->getZOrder(), -1);
    EXPECT_EQ(layout->getBackGroundImageTextureSize(), CCSize(30, 30));

    layout->setSize(CCSize(300, 120));
    auto* clipping = static_cast<RectClippingNode*>(layout->getContainerNode());
    EXPECT_EQ(clipping->getClippingSize(), CCSize(300, 120));
    EXPECT_EQ(clipping->getContentSize(), CCSize(300, 120));
    EXPECT_EQ(layout->getGradientLayer()->getContentSize(), CCSize(300, 120));
    // A plain background keeps its size and is only centred.
    EXPECT_EQ(plain->getPosition(), CCPoint(150, 60));
    EXPECT_FLOAT_EQ(plain->getScaleX(), 1.0f);

    layout->setBackGroundImageCapInsets(CCRect(5, 5, 20, 20));
    layout->setBackGroundImageScale9Enabled(true);
    auto* sliced = dynamic_cast<CCScale9Sprite*>(layout->getBackGroundImage());
    ASSERT_NE(sliced, nullptr);
    EXPECT_EQ(plain->getParent(), nullptr) << "the old node was replaced";
    EXPECT_EQ(sliced->getZOrder(), -1);
    EXPECT_EQ(sliced->getCapInsets(), CCRect(5, 5, 20, 20));
    EXPECT_EQ(sliced->getPreferredSize(), CCSize(300, 120));
    EXPECT_EQ(layout->getBackGroundImageTextureSize(), CCSize(30, 30));

    layout->setSize(CCSize(100, 80));
    EXPECT_EQ(sliced->getPreferredSize(), CCSize(100, 80));
    EXPECT_EQ(sliced->getPosition(), CCPoint(50, 40));

    // Null and empty names leave the image as it is.
    layout->setBackGroundImage(nullptr);
    layout->setBackGroundImage("");
    EXPECT_EQ(layout->getBackGroundImage(), sliced);
    EXPECT_NE(sliced->getBatchNode(), nullptr);
}

TEST_F(LayoutTest, BackgroundImageTakesTheLayoutsColour) {
    Layout* layout = Layout::create();
    layout->setColor(ccc3(100, 0, 0));
    layout->setOpacity(200);
    layout->setBackGroundImage(image().c_str());
    auto* sprite = static_cast<CCSprite*>(layout->getBackGroundImage());
    EXPECT_EQ(sprite->getColor(), ccc3(100, 0, 0));
    EXPECT_EQ(sprite->getOpacity(), 200);
    layout->setColor(ccc3(0, 100, 0));
    EXPECT_EQ(sprite->getColor(), ccc3(0, 100, 0));
}

TEST_F(LayoutTest, ClippingIsCarriedToTheRenderer) {
    Layout* layout = Layout::create();
    auto* clipping = static_cast<RectClippingNode*>(layout->getContainerNode());
    EXPECT_FALSE(clipping->isClippingEnabled());
    layout->setClippable(true);
    EXPECT_TRUE(layout->isClippingEnabled());
    EXPECT_TRUE(clipping->isClippingEnabled());
    layout->setClippingEnabled(false);
    EXPECT_FALSE(clipping->isClippingEnabled());
    EXPECT_EQ(layout->getLayoutType(), LAYOUT_ABSOLUTE);
    EXPECT_EQ(layout->getWidgetType(), WidgetTypeContainer);
    EXPECT_EQ(layout->getAnchorPoint(), CCPointZero);
}

TEST_F(LayoutTest, RootListAndParameterKinds) {
    UIRootWidget* root = UIRootWidget::create();
    EXPECT_STREQ(root->getTypeName(), "RootWidget");
    EXPECT_EQ(root->getSize(), CCDirector::sharedDirector()->getWinSize());
    EXPECT_FALSE(root->isTouchEnabled());
    EXPECT_FALSE(root->isClippingEnabled());
    EXPECT_STREQ(UIListView::create()->getTypeName(), "ListView");
    EXPECT_STREQ(Layout::create()->getTypeName(), "Layout");

    RelativeLayoutParameter* relative = RelativeLayoutParameter::create();
    relative->setRelativeName("anchor");
    relative->setRelativeName(nullptr);
    EXPECT_STREQ(relative->getRelativeName(), "");
    relative->setRelativeName("anchor");
    UIWidget* child = UIWidget::create();
    child->setLayoutParameter(relative);
    EXPECT_EQ(child->getLayoutParameter()->getLayoutType(), LAYOUT_PARAMETER_RELATIVE);
    EXPECT_EQ(LinearLayoutParameter::create()->getLayoutType(), LAYOUT_PARAMETER_LINEAR);
    EXPECT_EQ(LayoutParameter::create()->getLayoutType(), LAYOUT_PARAMETER_NONE);
}

}  // namespace
}  // namespace lirava
