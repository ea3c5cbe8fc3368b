#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "engine/text/CCLabelBMFont.h"
#include "engine/text/CCLabelTTF.h"
#include "gui/widgets/UICCLabelAtlas.h"
#include "gui/widgets/UILabel.h"
#include "gui/widgets/UILabelAtlas.h"
#include "gui/widgets/UILabelBMFont.h"
#include "support/EngineEnvironment.h"
#include "support/TestImages.h"

namespace lirava {
namespace {

class UILabelTest : public ::testing::Test {
protected:
    void TearDown() override { test::drainAutoreleasePool(); }
};

TEST_F(UILabelTest, TextDecidesTheSizeUntilARequestTakesOver) {
    UILabel* label = UILabel::create();
    EXPECT_STREQ(label->getTypeName(), "Label");
    label->setText("Hi");
    const CCSize small = label->getSize();
    label->setText("Hello there");
    EXPECT_GT(label->getSize().width, small.width);
    EXPECT_EQ(label->getSize(), label->getLabelRenderer()->getContentSize());
    label->setText(nullptr);
    EXPECT_STREQ(label->getStringValue(), "Hello there");

    label->setFontSize(40);
    EXPECT_EQ(label->getSize(), label->getLabelRenderer()->getContentSize());
    EXPECT_GT(label->getSize().height, small.height);

    label->setSize(CCSize(50, 10));
    label->setIgnoreSize(false);
    const CCSize content = label->getLabelRenderer()->getContentSize();
    EXPECT_FLOAT_EQ(label->getLabelRenderer()->getScaleX(), 50 / content.width);
    EXPECT_FLOAT_EQ(label->getLabelRenderer()->getScaleY(), 10 / content.height);
    label->setText("Hello there, and more");
    EXPECT_EQ(label->getSize(), CCSize(50, 10)) << "a requested size holds while the text changes";
}

TEST_F(UILabelTest, TouchScaleGrowsWhilePressed) {
    UILabel* label = UILabel::create();
    label->setText("Tap");
    label->setFocused(true);
    EXPECT_FLOAT_EQ(label->getScale(), 1.0f) << "no touch scaling unless asked";
    label->setFocused(false);

    label->setScale(2.0f);
    label->setTouchScaleEnabled(true);
    label->setFocused(true);
    EXPECT_FLOAT_EQ(label->getScale(), 2.5f);
    label->setFocused(false);
    EXPECT_FLOAT_EQ(label->getScale(), 2.0f);

    // Dragging off and ending a touch both bring it back.
    label->setScale(1.0f);
    label->setTouchScaleEnabled(true);
    label->setPosition(CCPoint(100, 100));
    label->onTouchBegan(CCPoint(100, 100));
    EXPECT_FLOAT_EQ(label->getScale(), 1.5f);
    label->onTouchMoved(CCPoint(400, 400));
    EXPECT_FLOAT_EQ(label->getScale(), 1.0f);
    label->onTouchMoved(CCPoint(100, 100));
    label->onTouchEnded(CCPoint(100, 100));
    EXPECT_FLOAT_EQ(label->getScale(), 1.0f);
}

TEST_F(UILabelTest, AtlasLabelIsBlankUntilItHasACharacterMap) {
    UILabelAtlas* label = UILabelAtlas::create();
    EXPECT_STREQ(label->getTypeName(), "LabelAtlase");
    EXPECT_FALSE(label->getAtlasRenderer()->hasCharMap());
    label->setProperty("123", "no/such/map.png", 8, 8, "0");
    EXPECT_FALSE(label->getAtlasRenderer()->hasCharMap());
    label->setProperty("123", nullptr, 8, 8, "0");
    label->setProperty("123", "no/such/map.png", 0, 8, "0");

    const std::string map = test::solidImage("digits80x10.png", 80, 10, {255, 255, 255, 255});
    label->setProperty("1234", map.c_str(), 8, 10, "0");
    EXPECT_TRUE(label->getAtlasRenderer()->hasCharMap());
    EXPECT_EQ(label->getAtlasRenderer()->getStartCharMap(), static_cast<unsigned int>('0'));
    EXPECT_EQ(label->getSize(), CCSize(32, 10));
    label->setStringValue("12");
    EXPECT_EQ(label->getSize(), CCSize(16, 10));
    EXPECT_STREQ(label->getStringValue(), "12");
}

TEST_F(UILabelTest, BitmapFontTextBeforeTheFontIsDropped) {
    UILabelBMFont* label = UILabelBMFont::create();
    EXPECT_STREQ(label->getTypeName(), "LabelBMFont");
    label->setText("AB");
    label->setFntFile(nullptr);
    label->setFntFile("");
    EXPECT_STREQ(label->getStringValue(), "");

    test::writePng("widget-font.png", 32, 16, [](int, int) { return test::kWhite; });
    const std::string fnt = test::writeFile("widget-font.fnt",
                                            "common lineHeight=16 base=13 scaleW=32 scaleH=16 pages=1\n"
                                            "page id=0 file=\"widget-font.png\"\n"
                                            "char id=65 x=0 y=0 width=10 height=12 xoffset=0 yoffset=0 xadvance=11\n"
                                            "char id=66 x=12 y=0 width=8 height=12 xoffset=0 yoffset=0 xadvance=10\n");
    label->setFntFile(fnt.c_str());
    EXPECT_STREQ(label->getStringValue(), "") << "text set before the font stays dropped";
    label->setText("AB");
    EXPECT_STREQ(label->getStringValue(), "AB");
    EXPECT_EQ(label->getSize(), CCSize(21, 16));
    label->setIgnoreSize(false);
    label->setSize(CCSize(42, 8));
    EXPECT_FLOAT_EQ(label->getBMFontRenderer()->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(label->getBMFontRenderer()->getScaleY(), 0.5f);
}

}  // namespace
}  // namespace lirava
