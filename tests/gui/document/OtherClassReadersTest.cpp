#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "engine/nodes/CCSprite.h"
#include "engine/platform/CCFileUtils.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/document/JsonDictionary.h"
#include "gui/document/UIToolbox.h"
#include "gui/document/readers/PropertyReaders.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/UICCLabelAtlas.h"
#include "gui/widgets/UICCTextField.h"
#include "gui/widgets/UICheckBox.h"
#include "gui/widgets/UIDragPanel.h"
#include "gui/widgets/UILabelAtlas.h"
#include "gui/widgets/UILabelBMFont.h"
#include "gui/widgets/UILoadingBar.h"
#include "gui/widgets/UIPageView.h"
#include "gui/widgets/UIScrollView.h"
#include "gui/widgets/UISlider.h"
#include "gui/widgets/UITextField.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

std::unique_ptr<JsonDictionary> options(const char* text) {
    auto dict = std::make_unique<JsonDictionary>();
    dict->loadText(text);
    return dict;
}

// The readers run with the gallery's folder of the sample book as the document directory.
class OtherClassReadersTest : public ::testing::Test {
protected:
    void SetUp() override {
        reader = CCSGUIReader::sharedReader();
        reader->setFilePath(CCFileUtils::sharedFileUtils()->fullPathForFilename("gallery/"));
        reader->setOlderSchema(false);
    }
    void TearDown() override {
        UIToolbox::purgeToolbox();
        test::drainAutoreleasePool();
    }

    CCSGUIReader* reader = nullptr;
};

TEST_F(OtherClassReadersTest, ScrollViewDirectionIsCutTowardZero) {
    const std::map<std::string, SCROLLVIEW_DIR> cases = {
        {"1.9", SCROLLVIEW_DIR_VERTICAL},  {"2.99", SCROLLVIEW_DIR_HORIZONTAL}, {"0.7", SCROLLVIEW_DIR_NONE},
        {"-0.9", SCROLLVIEW_DIR_NONE},     {"7", SCROLLVIEW_DIR_NONE},          {"1e30", SCROLLVIEW_DIR_NONE},
        {"true", SCROLLVIEW_DIR_VERTICAL},
    };
    for (const auto& [value, expected] : cases) {
        UIScrollView* view = UIScrollView::create();
        const std::string text = R"({"width": 100, "height": 50, "direction": )" + value + "}";
        readScrollViewProperties(*reader, view, options(text.c_str()).get());
        EXPECT_EQ(view->getDirection(), expected) << value;
    }
    UIScrollView* absent = UIScrollView::create();
    readScrollViewProperties(*reader, absent, nullptr);
    EXPECT_EQ(absent->getDirection(), SCROLLVIEW_DIR_NONE) << "a missing direction reads as 0";
}

TEST_F(OtherClassReadersTest, ScrollViewAndDragPanelTakeTheirInnerSizeAndKeepClipping) {
    UIScrollView* view = UIScrollView::create();
    readScrollViewProperties(*reader, view,
                             options(R"({"width": 100, "height": 100, "innerWidth": 100,
        "innerHeight": 300, "direction": 1, "clipAble": false, "colorType": 1, "bgColorR": 9})")
                                 .get());
    EXPECT_TRUE(view->isClippingEnabled());
    EXPECT_EQ(view->getInnerSize(), CCSize(100, 300));
    EXPECT_EQ(view->getInnerContainer()->getPosition(), CCPoint(0, -200));
    EXPECT_EQ(view->getBackGroundColor(), ccc3(9, 0, 0)) << "the panel reader ran";

    UIDragPanel* panel = UIDragPanel::create();
    readDragPanelProperties(*reader, panel,
                            options(R"({"width": 200, "height": 200, "innerWidth": 400,
        "innerHeight": 150, "bounceEnable": true, "clipAble": false})")
                                .get());
    EXPECT_TRUE(panel->isClippingEnabled());
    EXPECT_TRUE(panel->isBounceEnabled());
    EXPECT_EQ(panel->getInnerSize(), CCSize(400, 200));

    UIDragPanel* plain = UIDragPanel::create();
    readDragPanelProperties(*reader, plain, nullptr);
    EXPECT_FALSE(plain->isBounceEnabled());
}

TEST_F(OtherClassReadersTest, PageViewIsAPanelWhoseClipAbleCounts) {
    UIPageView* view = UIPageView::create();
    readPageViewProperties(*reader, view,
                           options(R"({"width": 300, "height": 100, "colorR": 10,
        "anchorPointX": 0, "anchorPointY": 0})")
                               .get());
    EXPECT_FALSE(view->isClippingEnabled()) << "clipAble is read (false when missing)";
    EXPECT_EQ(view->getSize(), CCSize(300, 100));
    EXPECT_EQ(view->getColor(), ccc3(10, 255, 255));
    EXPECT_EQ(view->getAnchorPoint(), CCPoint(0, 0));
}

TEST_F(OtherClassReadersTest, SliderTrackNeedsTheOlderKeyInBothKeySets) {
    UISlider* unset = UISlider::create();
    readSliderProperties(*reader, unset,
                         options(R"({"barFileNameData": {"resourceType": 0,
        "path": "slider_track.png"}, "percent": 30})")
                             .get());
    EXPECT_EQ(unset->getBarNode()->getContentSize(), CCSize(0, 0)) << "no \"barFileName\": no track";
    EXPECT_EQ(unset->getPercent(), 30);

    UISlider* slider = UISlider::create();
    readSliderProperties(*reader, slider,
                         options(R"({"barFileName": "", "barTextureScale9Enable": true,
        "length": 240, "height": 20, "barFileNameData": {"resourceType": 0, "path": "slider_track.png"},
        "ballNormalData": {"resourceType": 0, "path": "ball.png"},
        "ballPressedData": {"resourceType": 0, "path": "ball_pressed.png"},
        "ballDisabledData": {"resourceType": 2, "path": "ball.png"},
        "progressBarData": {"resourceType": 0, "path": "slider_progress.png"}, "percent": 150})")
                             .get());
    EXPECT_TRUE(slider->isScale9Enabled());
    EXPECT_EQ(slider->getSize(), CCSize(240, 20)) << "nine-slice: the length, and the height it had";
    EXPECT_FLOAT_EQ(slider->getBarLength(), 240.0f);
    EXPECT_EQ(slider->getBallNormal()->getContentSize(), CCSize(40, 40));
    EXPECT_EQ(slider->getBallPressed()->getContentSize(), CCSize(40, 40));
    EXPECT_EQ(slider->getBallDisabled()->getContentSize(), CCSize(0, 0)) << "resource type 2 loads nothing";
    EXPECT_EQ(slider->getPercent(), 100);
    CCScale9Sprite* progress = dynamic_cast<CCScale9Sprite*>(slider->getProgressBarNode());
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->getPreferredSize().width, 240.0f);

    reader->setOlderSchema(true);
    UISlider* older = UISlider::create();
    readSliderProperties(*reader, older,
                         options(R"({"barFileName": "slider_track.png",
        "ballNormal": "ball.png", "ballPressed": "ball_pressed.png", "ballDisabled": "ball_disabled.png",
        "progressBarFileName": "slider_progress.png", "percent": 50})")
                             .get());
    EXPECT_EQ(older->getSize(), CCSize(60, 20));
    EXPECT_EQ(older->getBallDisabled()->getContentSize(), CCSize(40, 40));
    EXPECT_EQ(older->getBallHolder()->getPosition(), CCPoint(0, 0));
}

TEST_F(OtherClassReadersTest, LoadingBarByBothKeySets) {
    UILoadingBar* bar = UILoadingBar::create();
    readLoadingBarProperties(*reader, bar,
                             options(R"({"textureData": {"resourceType": 0,
        "path": "loading_bar_green.png"}, "scale9Enable": true, "capInsetsX": 14, "capInsetsY": 4,
        "capInsetsWidth": 32, "capInsetsHeight": 20, "width": 360, "height": 28, "direction": 1,
        "percent": 50})")
                                 .get());
    EXPECT_TRUE(bar->isScale9Enabled());
    EXPECT_EQ(bar->getCapInsets(), CCRect(14, 4, 32, 20));
    EXPECT_EQ(bar->getSize(), CCSize(360, 28));
    EXPECT_EQ(bar->getDirection(), 1);
    EXPECT_EQ(bar->getPercent(), 50);
    EXPECT_EQ(static_cast<CCScale9Sprite*>(bar->getRenderer())->getPreferredSize(), CCSize(180, 28));

    reader->setOlderSchema(true);
    UILoadingBar* older = UILoadingBar::create();
    readLoadingBarProperties(*reader, older,
                             options(R"({"texture": "loading_bar.png", "scale9Enable": true,
        "percent": 150})")
                                 .get());
    EXPECT_FALSE(older->isScale9Enabled()) << "the older key set has no nine-slice bars";
    EXPECT_EQ(older->getSize(), CCSize(300, 28));
    EXPECT_EQ(older->getPercent(), 100) << "150 is ignored";
}

TEST_F(OtherClassReadersTest, CheckBoxImagesByBothKeySets) {
    UICheckBox* box = UICheckBox::create();
    readCheckBoxProperties(*reader, box,
                           options(R"({
        "backGroundBoxData": {"resourceType": 0, "path": "check_box.png"},
        "backGroundBoxSelectedData": {"resourceType": 0, "path": "check_box_pressed.png"},
        "frontCrossData": {"resourceType": 2, "path": "check_cross.png"},
        "backGroundBoxDisabledData": {"resourceType": 0, "path": ""},
        "frontCrossDisabledData": {"resourceType": 0, "path": "check_cross_disabled.png"}})")
                               .get());
    EXPECT_EQ(box->getSize(), CCSize(48, 48));
    EXPECT_EQ(box->getBackGroundBoxSelected()->getContentSize(), CCSize(48, 48));
    EXPECT_EQ(box->getFrontCross()->getContentSize(), CCSize(0, 0));
    EXPECT_EQ(box->getBackGroundBoxDisabled()->getContentSize(), CCSize(0, 0));
    EXPECT_EQ(box->getFrontCrossDisabled()->getContentSize(), CCSize(48, 48));

    reader->setOlderSchema(true);
    UICheckBox* older = UICheckBox::create();
    readCheckBoxProperties(*reader, older,
                           options(R"({"backGroundBox": "check_box.png",
        "frontCross": "check_cross.png", "useMergedTexture": false})")
                               .get());
    EXPECT_EQ(older->getSize(), CCSize(48, 48));
    EXPECT_EQ(older->getFrontCross()->getContentSize(), CCSize(48, 48));
    EXPECT_FALSE(older->getSelectedState());
}

TEST_F(OtherClassReadersTest, LabelAtlasNeedsAllFiveKeys) {
    const char* keys[] = {"stringValue", "charMapFile", "itemWidth", "itemHeight", "startCharMap"};
    for (const char* missing : keys) {
        std::string text = "{";
        for (const char* key : keys) {
            if (key == missing) {
                continue;
            }
            if (text.size() > 1) {
                text += ", ";
            }
            text += std::string("\"") + key + "\": ";
            text += key == std::string("itemWidth") ? "30" : key == std::string("itemHeight") ? "40" : "\"0\"";
        }
        text += R"(, "charMapFileData": {"resourceType": 0, "path": "digits.png"}})";
        UILabelAtlas* label = UILabelAtlas::create();
        readLabelAtlasProperties(*reader, label, options(text.c_str()).get());
        EXPECT_FALSE(label->getAtlasRenderer()->hasCharMap()) << "without " << missing;
        EXPECT_EQ(label->getSize(), CCSize(0, 0));
    }

    UILabelAtlas* label = UILabelAtlas::create();
    readLabelAtlasProperties(*reader, label,
                             options(R"({"stringValue": "2024", "charMapFile": "",
        "charMapFileData": {"resourceType": 0, "path": "digits.png"}, "itemWidth": 30, "itemHeight": 40,
        "startCharMap": "0"})")
                                 .get());
    EXPECT_TRUE(label->getAtlasRenderer()->hasCharMap());
    EXPECT_STREQ(label->getStringValue(), "2024");
    EXPECT_EQ(label->getSize(), CCSize(120, 40));

    UILabelAtlas* sheet = UILabelAtlas::create();
    readLabelAtlasProperties(*reader, sheet,
                             options(R"({"stringValue": "1", "charMapFile": "digits.png",
        "charMapFileData": {"resourceType": 1, "path": "digits.png"}, "itemWidth": 30, "itemHeight": 40,
        "startCharMap": "0"})")
                                 .get());
    EXPECT_FALSE(sheet->getAtlasRenderer()->hasCharMap()) << "a character map is always a file";

    reader->setOlderSchema(true);
    UILabelAtlas* older = UILabelAtlas::create();
    readLabelAtlasProperties(*reader, older,
                             options(R"({"stringValue": "7", "charMapFile": "digits.png",
        "itemWidth": 30, "itemHeight": 40, "startCharMap": "0"})")
                                 .get());
    EXPECT_EQ(older->getSize(), CCSize(30, 40));
}

TEST_F(OtherClassReadersTest, BitmapFontLabelTakesOnlyLocalFonts) {
    UILabelBMFont* label = UILabelBMFont::create();
    readLabelBMFontProperties(*reader, label,
                              options(R"({"fileNameData": {"resourceType": 0,
        "path": "dots.fnt"}, "text": "LIRA"})")
                                  .get());
    EXPECT_STREQ(label->getStringValue(), "LIRA");
    EXPECT_EQ(label->getSize(), CCSize(120, 40));

    UILabelBMFont* frame = UILabelBMFont::create();
    readLabelBMFontProperties(*reader, frame,
                              options(R"({"fileNameData": {"resourceType": 1,
        "path": "dots.fnt"}, "text": "LIRA"})")
                                  .get());
    EXPECT_STREQ(frame->getStringValue(), "") << "no font, so the text is dropped";

    reader->setOlderSchema(true);
    UILabelBMFont* older = UILabelBMFont::create();
    readLabelBMFontProperties(*reader, older, options(R"({"fileName": "dots.fnt", "text": "AB"})").get());
    EXPECT_STREQ(older->getStringValue(), "AB");
}

TEST_F(OtherClassReadersTest, TextFieldLimitsAndPasswordOnlyWhenSwitchedOn) {
    UITextField* field = UITextField::create();
    readTextFieldProperties(*reader, field,
                            options(R"({"placeHolder": "Name", "text": "Pip", "fontSize": 30,
        "maxLength": 3, "passwordStyleText": "#", "touchSizeWidth": 200})")
                                .get());
    EXPECT_STREQ(field->getPlaceHolder(), "Name");
    EXPECT_STREQ(field->getStringValue(), "Pip");
    EXPECT_FLOAT_EQ(field->getTextFieldRenderer()->getFontSize(), 30.0f);
    EXPECT_FALSE(field->isMaxLengthEnabled());
    EXPECT_EQ(field->getMaxLength(), 0) << "the limit is read only when it is switched on";
    EXPECT_STREQ(field->getPasswordStyleText(), "*");
    EXPECT_FALSE(field->isUseTouchArea()) << "a touch area needs both keys";

    UITextField* secret = UITextField::create();
    readTextFieldProperties(*reader, secret,
                            options(R"({"text": "abc", "maxLengthEnable": true, "maxLength": 8,
        "passwordEnable": true, "passwordStyleText": "#", "touchSizeWidth": 200, "touchSizeHeight": 40})")
                                .get());
    EXPECT_TRUE(secret->isMaxLengthEnabled());
    EXPECT_EQ(secret->getMaxLength(), 8);
    EXPECT_TRUE(secret->isPasswordEnabled());
    EXPECT_EQ(secret->getTextFieldRenderer()->getDisplayedText(), "###");
    EXPECT_TRUE(secret->isUseTouchArea());
    EXPECT_EQ(secret->getTouchSize(), CCSize(200, 40));
}

// Every class of the gallery document, with the type names the reader gave them.
void collectTypes(UIWidget* widget, std::map<std::string, int>& types) {
    ++types[widget->getTypeName()];
    for (CCObject* child : *widget->getChildren()) {
        collectTypes(static_cast<UIWidget*>(child), types);
    }
}

TEST_F(OtherClassReadersTest, GalleryDocumentBuildsEveryWidgetClass) {
    UIWidget* root = CCSGUIReader::sharedReader()->widgetFromFile("gallery/gallery.json");
    ASSERT_NE(root, nullptr);
    std::map<std::string, int> types;
    collectTypes(root, types);
    for (const char* type : {"Layout", "Button", "CheckBox", "Label", "LabelAtlase", "LabelBMFont", "LoadingBar",
                             "Slider", "TextField", "ImageView", "ScrollView", "DragPanel", "PageView"}) {
        EXPECT_GT(types[type], 0) << type;
    }
    UIToolbox* toolbox = UIToolbox::sharedToolbox();
    UIScrollView* scroll = dynamic_cast<UIScrollView*>(toolbox->findWidgetByName(root, "scroll"));
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->getDirection(), SCROLLVIEW_DIR_VERTICAL);
    EXPECT_GT(scroll->getInnerSize().height, scroll->getSize().height);
    EXPECT_EQ(toolbox->findWidgetByName(root, "item8")->getParent(), scroll->getInnerContainer());
    UIDragPanel* drag = dynamic_cast<UIDragPanel*>(toolbox->findWidgetByName(root, "drag"));
    ASSERT_NE(drag, nullptr);
    EXPECT_TRUE(drag->isBounceEnabled());
}

}  // namespace
}  // namespace lirava
