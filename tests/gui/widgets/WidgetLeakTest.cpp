#include <gtest/gtest.h>

#include <string>

#include "WidgetTestSupport.h"
#include "engine/platform/CCTouch.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UIImageView.h"
#include "gui/widgets/UILabel.h"
#include "gui/widgets/UILabelAtlas.h"
#include "gui/widgets/UILabelBMFont.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"
#include "support/EngineEnvironment.h"
#include "support/SettledObjects.h"

namespace lirava {
namespace {

// A page-like tree: a panel with both background kinds, buttons of every look kind, labels, an
// image view, a nested clipping panel.
Layout* buildTree(const std::string& image) {
    Layout* panel = Layout::create();
    panel->setSize(CCSize(400, 300));
    panel->setBackGroundColorType(LAYOUT_COLOR_GRADIENT);
    panel->setBackGroundColorType(LAYOUT_COLOR_SOLID);
    panel->setBackGroundImageScale9Enabled(true);
    panel->setBackGroundImage(image.c_str());
    panel->setBackGroundImageCapInsets(CCRect(2, 2, 4, 4));

    UIButton* plain = UIButton::create();
    plain->loadTextures(image.c_str(), image.c_str(), image.c_str());
    plain->setTitleText("OK");
    plain->setPosition(CCPoint(100, 100));
    plain->setTouchEnabled(true);
    panel->addChild(plain);

    UIButton* sliced = UIButton::create();
    sliced->setScale9Enabled(true);
    sliced->loadTextures(image.c_str(), image.c_str(), "");
    sliced->setSize(CCSize(120, 40));
    sliced->setScale9Enabled(false);
    sliced->setScale9Enabled(true);
    panel->addChild(sliced);

    Layout* inner = Layout::create();
    inner->setClippingEnabled(true);
    inner->setSize(CCSize(50, 50));
    panel->addChild(inner);
    UILabel* label = UILabel::create();
    label->setText("Hello");
    label->setTouchScaleEnabled(true);
    inner->addChild(label);
    UIImageView* view = UIImageView::create();
    view->loadTexture(image.c_str());
    view->setScale9Enabled(true);
    inner->addChild(view);
    UILabelAtlas* atlas = UILabelAtlas::create();
    atlas->setProperty("123", image.c_str(), 2, 2, "0");
    inner->addChild(atlas);
    UILabelBMFont* bmfont = UILabelBMFont::create();
    bmfont->setFntFile("no-such-font.fnt");
    inner->addChild(bmfont);
    return panel;
}

TEST(WidgetLeakTest, ThousandTreesLeaveNoObjectBehind) {
    const std::string image = test::solidImage("leak8x8.png", 8, 8, {90, 90, 90, 255});
    const std::size_t before = test::settledObjectCount();

    for (int i = 0; i < 1000; ++i) {
        UILayer* layer = UILayer::create();
        layer->getRootWidget()->addChild(buildTree(image));
        CCTouch* touch = new CCTouch();
        touch->setTouchInfo(0, CCPoint(100, 100));
        layer->ccTouchBegan(touch, nullptr);
        layer->ccTouchEnded(touch, nullptr);
        touch->release();
        if (i % 2 == 0) {
            layer->clear();
        }
        test::drainAutoreleasePool();
    }
    EXPECT_EQ(test::settledObjectCount(), before);
}

TEST(WidgetLeakTest, SingleWidgetsGoWithTheirLastReference) {
    const std::size_t before = test::settledObjectCount();
    UIWidget::create();
    Layout::create();
    UIButton::create();
    EXPECT_EQ(test::settledObjectCount(), before);
}

}  // namespace
}  // namespace lirava
