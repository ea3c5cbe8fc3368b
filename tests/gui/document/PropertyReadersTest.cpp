#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/nodes/CCSprite.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/platform/CCFileUtils.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/document/JsonDictionary.h"
#include "gui/document/UIToolbox.h"
#include "gui/document/readers/ImageReference.h"
#include "gui/document/readers/PropertyReaders.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UIDragPanel.h"
#include "gui/widgets/UIImageView.h"
#include "gui/widgets/UILabel.h"
#include "gui/widgets/UIListView.h"
#include "gui/widgets/UIScrollView.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

std::unique_ptr<JsonDictionary> options(const char* text) {
    auto dict = std::make_unique<JsonDictionary>();
    dict->loadText(text);
    return dict;
}

class PropertyReadersTest : public ::testing::Test {
protected:
    void SetUp() override {
        reader = CCSGUIReader::sharedReader();
        reader->setFilePath(CCFileUtils::sharedFileUtils()->fullPathForFilename("Images/"));
        reader->setOlderSchema(false);
    }
    void TearDown() override {
        UIToolbox::purgeToolbox();
        test::drainAutoreleasePool();
    }

    static CCSize imageSize(const char* bookName) {
        CCSprite* sprite = CCSprite::create(CCFileUtils::sharedFileUtils()->fullPathForFilename(bookName).c_str());
        return sprite ? sprite->getContentSize() : CCSize();
    }

    CCSGUIReader* reader = nullptr;
};

TEST_F(PropertyReadersTest, ImageReferencesByTheOlderRule) {
    reader->setFilePath("ui/");
    ImageReference file = ImageReference::older(*reader, "btn.png", false);
    EXPECT_TRUE(file.callLoader);
    EXPECT_STREQ(file.name(), "ui/btn.png");
    EXPECT_EQ(file.textureKind, UI_TEX_TYPE_LOCAL);

    ImageReference frame = ImageReference::older(*reader, "btn.png", true);
    EXPECT_STREQ(frame.name(), "btn.png");
    EXPECT_EQ(frame.textureKind, UI_TEX_TYPE_PLIST);

    EXPECT_EQ(ImageReference::older(*reader, "", false).name(), nullptr);
    EXPECT_EQ(ImageReference::older(*reader, nullptr, false).name(), nullptr);
    EXPECT_EQ(ImageReference::older(*reader, nullptr, true).name(), nullptr);
}

TEST_F(PropertyReadersTest, ImageReferencesByTheNewerRule) {
    reader->setFilePath("ui/");
    auto o = options(R"({"file": {"resourceType": 0, "path": "btn.png"},
                         "frame": {"resourceType": 1, "path": "btn.png"},
                         "sheetless": {"resourceType": 2, "path": "btn.png"},
                         "emptyPath": {"resourceType": 0, "path": ""},
                         "framePathless": {"resourceType": 1},
                         "notAnObject": "btn.png"})");
    ImageReference file = ImageReference::newer(*reader, o.get(), "file");
    EXPECT_STREQ(file.name(), "ui/btn.png");
    EXPECT_EQ(file.textureKind, UI_TEX_TYPE_LOCAL);
    ImageReference frame = ImageReference::newer(*reader, o.get(), "frame");
    EXPECT_STREQ(frame.name(), "btn.png");
    EXPECT_EQ(frame.textureKind, UI_TEX_TYPE_PLIST);
    EXPECT_FALSE(ImageReference::newer(*reader, o.get(), "sheetless").callLoader);

    // These call the loader with no name.
    for (const char* key : {"emptyPath", "framePathless", "absent", "notAnObject"}) {
        ImageReference ref = ImageReference::newer(*reader, o.get(), key);
        EXPECT_TRUE(ref.callLoader) << key;
        EXPECT_EQ(ref.name(), nullptr) << key;
    }
}

TEST_F(PropertyReadersTest, CommonAndColourDefaults) {
    UIWidget* widget = UIImageView::create();
    widget->setZOrder(4);
    auto o = options(R"({"colorG": 10, "colorB": 20, "anchorPointX": 0, "x": 12.5, "y": -3})");
    readCommonProperties(*reader, widget, o.get());
    readColorProperties(*reader, widget, o.get());
    EXPECT_STREQ(widget->getName(), "default");
    EXPECT_EQ(widget->getZOrder(), 0);
    EXPECT_EQ(widget->getTag(), 0);
    EXPECT_EQ(widget->getActionTag(), 0);
    EXPECT_FALSE(widget->isTouchEnabled());
    EXPECT_EQ(widget->getPosition().x, 12.5f);
    EXPECT_EQ(widget->getPosition().y, -3.0f);
    EXPECT_EQ(widget->getScaleX(), 1.0f);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(widget->getColor(), ccc3(255, 10, 20));
    EXPECT_EQ(widget->getAnchorPoint().x, 0.0f);
    EXPECT_EQ(widget->getAnchorPoint().y, 0.5f);
    EXPECT_EQ(widget->getOpacity(), 255);

    UIWidget* plain = UIImageView::create();
    readColorProperties(*reader, plain, nullptr);
    EXPECT_EQ(plain->getAnchorPoint().x, 0.5f);
    EXPECT_EQ(plain->getAnchorPoint().y, 0.5f);
    EXPECT_EQ(plain->getColor(), ccc3(255, 255, 255));
}

TEST_F(PropertyReadersTest, CommonKeysReadWhenPresent) {
    UIWidget* widget = UIImageView::create();
    auto o = options(R"({"name": "bn051", "tag": 7, "actiontag": 9001, "touchAble": true, "scaleX": 2,
                         "scaleY": 0.5, "rotation": 30, "visible": false, "ZOrder": 3, "opacity": 300,
                         "colorR": 256, "flipX": true})");
    readCommonProperties(*reader, widget, o.get());
    readColorProperties(*reader, widget, o.get());
    EXPECT_STREQ(widget->getName(), "bn051");
    EXPECT_EQ(widget->getTag(), 7);
    EXPECT_EQ(widget->getActionTag(), 9001);
    EXPECT_TRUE(widget->isTouchEnabled());
    EXPECT_EQ(widget->getScaleX(), 2.0f);
    EXPECT_EQ(widget->getScaleY(), 0.5f);
    EXPECT_EQ(widget->getRotation(), 30.0f);
    EXPECT_FALSE(widget->isVisible());
    EXPECT_EQ(widget->getZOrder(), 3);
    EXPECT_EQ(widget->getOpacity(), 44);               // low 8 bits
    EXPECT_EQ(widget->getColor(), ccc3(0, 255, 255));  // 256 keeps its low 8 bits
    EXPECT_TRUE(widget->isFlipX());
}

TEST_F(PropertyReadersTest, ClipAbleReachesPanelsButNotScrollingContainers) {
    Layout* panel = Layout::create();
    readPanelProperties(*reader, panel, options(R"({"clipAble": true})").get());
    EXPECT_TRUE(panel->isClippingEnabled());

    for (Layout* scrolling : {static_cast<Layout*>(UIListView::create()), static_cast<Layout*>(UIScrollView::create()),
                              static_cast<Layout*>(UIDragPanel::create())}) {
        scrolling->setClippingEnabled(true);
        readContainerProperties(*reader, scrolling, options(R"({"clipAble": false})").get());
        EXPECT_TRUE(scrolling->isClippingEnabled()) << scrolling->getTypeName();
    }
}

TEST_F(PropertyReadersTest, PanelBackgrounds) {
    Layout* panel = Layout::create();
    readPanelProperties(*reader, panel,
                        options(R"({"colorType": 1, "bgColorR": 10, "bgColorG": 20, "bgColorB": 300,
        "bgColorOpacity": 128, "bgStartColorR": 1, "bgEndColorB": 2, "vectorX": 1, "vectorY": 0,
        "backGroundImageData": {"resourceType": 0, "path": "up1.png"}})")
                            .get());
    EXPECT_EQ(panel->getBackGroundColorType(), LAYOUT_COLOR_SOLID);
    EXPECT_NE(panel->getColorLayer(), nullptr);
    EXPECT_EQ(panel->getBackGroundColor(), ccc3(10, 20, 44));
    EXPECT_EQ(panel->getBackGroundStartColor(), ccc3(1, 0, 0));
    EXPECT_EQ(panel->getBackGroundEndColor(), ccc3(0, 0, 2));
    EXPECT_EQ(panel->getBackGroundColorOpacity(), 128);
    EXPECT_EQ(panel->getBackGroundColorVector().x, 1.0f);
    const CCSize expected = imageSize("Images/up1.png");
    ASSERT_GT(expected.width, 0.0f);
    EXPECT_EQ(panel->getBackGroundImageTextureSize().width, expected.width);

    Layout* older = Layout::create();
    reader->setOlderSchema(true);
    readPanelProperties(*reader, older,
                        options(R"({"backGroundScale9Enable": true, "backGroundImage": "up1.png",
        "capInsetsX": 2, "capInsetsY": 3, "capInsetsWidth": 4, "capInsetsHeight": 5})")
                            .get());
    EXPECT_TRUE(older->isBackGroundImageScale9Enabled());
    EXPECT_NE(older->getBackGroundImage(), nullptr);
    EXPECT_EQ(older->getBackGroundImageCapInsets().size.height, 5.0f);
}

TEST_F(PropertyReadersTest, ButtonImagesByBothKeySets) {
    const CCSize up = imageSize("Images/up1.png");
    ASSERT_GT(up.width, 0.0f);

    reader->setOlderSchema(true);
    UIButton* local = UIButton::create();
    readButtonProperties(*reader, local,
                         options(R"({"normal": "up1.png", "pressed": "up2.png",
                                                     "useMergedTexture": false})")
                             .get());
    EXPECT_EQ(local->getNormalTextureSize().width, up.width);
    EXPECT_EQ(local->getSize().width, up.width);  // ignoreSize: the normal image's size

    const std::string sheet = CCFileUtils::sharedFileUtils()->fullPathForFilename("Images/cast.plist");
    UIToolbox::sharedToolbox()->addSpriteFrames(sheet.c_str());
    UIButton* merged = UIButton::create();
    readButtonProperties(*reader, merged, options(R"({"normal": "biscuit.png", "useMergedTexture": true})").get());
    EXPECT_GT(merged->getNormalTextureSize().width, 0.0f);
    UIButton* wrongRule = UIButton::create();
    readButtonProperties(*reader, wrongRule, options(R"({"normal": "biscuit.png", "useMergedTexture": false})").get());
    EXPECT_EQ(wrongRule->getNormalTextureSize().width, 0.0f);  // no such file below Images/

    reader->setOlderSchema(false);
    UIButton* kept = UIButton::create();
    kept->loadTextureNormal(CCFileUtils::sharedFileUtils()->fullPathForFilename("Images/up1.png").c_str());
    readButtonProperties(*reader, kept,
                         options(R"({"normalData": {"resourceType": 2, "path": "biscuit.png"},
                                                    "pressedData": {"resourceType": 0, "path": "up2.png"}})")
                             .get());
    EXPECT_EQ(kept->getNormalTextureSize().width, up.width);
    EXPECT_GT(kept->getPressedTextureSize().width, 0.0f);
}

TEST_F(PropertyReadersTest, NineSliceButtonTakesInsetsAndItsOwnSize) {
    UIButton* button = UIButton::create();
    readButtonProperties(*reader, button,
                         options(R"({"scale9Enable": true, "ignoreSize": true,
        "normalData": {"resourceType": 0, "path": "up1.png"}, "capInsetsX": 4, "capInsetsY": 4,
        "capInsetsWidth": 8, "capInsetsHeight": 8, "scale9Width": 200, "scale9Height": 80})")
                             .get());
    EXPECT_TRUE(button->isScale9Enabled());
    EXPECT_EQ(button->getSize().width, 200.0f);
    EXPECT_EQ(button->getSize().height, 80.0f);

    // Without both size keys the nine-slice size is not touched.
    UIButton* half = UIButton::create();
    readButtonProperties(*reader, half,
                         options(R"({"scale9Enable": true, "width": 50, "height": 20,
                                                    "scale9Width": 200})")
                             .get());
    EXPECT_EQ(half->getSize().width, 50.0f);
}

TEST_F(PropertyReadersTest, TextButtonTitle) {
    UIButton* button = UIButton::create();
    readTextButtonProperties(*reader, button,
                             options(R"({"text": "OK", "textColorG": 0, "fontSize": 30,
                                                          "fontName": "Arial", "colorR": 10})")
                                 .get());
    EXPECT_STREQ(button->getTitleText(), "OK");
    EXPECT_EQ(button->getTitleColor(), ccc3(255, 0, 255));
    EXPECT_EQ(button->getTitleFontSize(), 30.0f);
    EXPECT_STREQ(button->getTitleFontName(), "Arial");
    EXPECT_EQ(button->getColor(), ccc3(10, 255, 255));

    UIButton* numeric = UIButton::create();
    numeric->setTitleText("kept");
    readTextButtonProperties(*reader, numeric, options(R"({"text": 12})").get());
    EXPECT_STREQ(numeric->getTitleText(), "kept");
}

TEST_F(PropertyReadersTest, LabelsAndTextAreas) {
    UILabel* label = UILabel::create();
    readLabelProperties(*reader, label,
                        options(R"({"text": "Hello", "fontSize": 24, "colorB": 0,
                                                    "touchScaleEnable": true})")
                            .get());
    EXPECT_STREQ(label->getStringValue(), "Hello");
    EXPECT_TRUE(label->isTouchScaleEnabled());
    EXPECT_EQ(label->getColor(), ccc3(255, 255, 0));

    // A text area reads its colour with 0 for missing channels; the colour reader after it
    // sets 255 for them again.
    UILabel* area = UILabel::create();
    readTextAreaProperties(*reader, area,
                           options(R"({"text": "12", "colorR": 10, "areaWidth": 100,
                                                      "areaHeight": 40, "hAlignment": 1, "vAlignment": 9})")
                               .get());
    EXPECT_STREQ(area->getStringValue(), "12");
    EXPECT_EQ(area->getColor(), ccc3(10, 255, 255));
}

TEST_F(PropertyReadersTest, ImageViewsByBothKeySets) {
    const CCSize up = imageSize("Images/up1.png");
    reader->setOlderSchema(true);
    UIImageView* older = UIImageView::create();
    readImageViewProperties(*reader, older, options(R"({"fileName": "up1.png"})").get());
    EXPECT_EQ(older->getSize().width, up.width);

    reader->setOlderSchema(false);
    UIImageView* nine = UIImageView::create();
    readImageViewProperties(*reader, nine,
                            options(R"({"fileNameData": {"resourceType": 0, "path": "up1.png"},
        "scale9Enable": true, "scale9Width": 300, "scale9Height": 120, "capInsetsWidth": 6})")
                                .get());
    EXPECT_TRUE(nine->isScale9Enabled());
    EXPECT_EQ(nine->getSize().width, 300.0f);
    EXPECT_EQ(nine->getCapInsets().size.width, 6.0f);
}

TEST_F(PropertyReadersTest, ReadersIgnoreWidgetsOfOtherClassesAndNullOptions) {
    UIWidget* panel = Layout::create();
    panel->setName("untouched");
    readButtonProperties(*reader, panel, nullptr);
    readLabelProperties(*reader, panel, nullptr);
    readImageViewProperties(*reader, panel, nullptr);
    readPanelProperties(*reader, nullptr, nullptr);
    EXPECT_STREQ(panel->getName(), "untouched");

    UIButton* button = UIButton::create();
    readTextButtonProperties(*reader, button, nullptr);
    EXPECT_STREQ(button->getName(), "default");
}

}  // namespace
}  // namespace lirava
