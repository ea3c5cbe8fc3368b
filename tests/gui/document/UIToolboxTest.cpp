#include <gtest/gtest.h>

#include <string>

#include "engine/base/CCArray.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCFileUtils.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/document/UIToolbox.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/LinearLayoutParameter.h"
#include "gui/widgets/RelativeLayoutParameter.h"
#include "gui/widgets/UIWidget.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

class UIToolboxTest : public ::testing::Test {
protected:
    void SetUp() override { UIToolbox::purgeToolbox(); }
    void TearDown() override {
        UIToolbox::purgeToolbox();
        test::drainAutoreleasePool();
    }

    static UIWidget* widget(const char* name, int actionTag, Layout* parent = nullptr) {
        UIWidget* w = Layout::create();
        w->setName(name);
        w->setActionTag(actionTag);
        if (parent) {
            parent->addChild(w);
        }
        return w;
    }
};

// root
//   a (tag 1)
//     twin (tag 3)
//   twin (tag 2)
//     deep (tag 0)
//   default (tag 0)
TEST_F(UIToolboxTest, SearchesGoDepthFirstParentBeforeChildEarlierSiblingFirst) {
    Layout* root = Layout::create();
    root->setName("root");
    root->setActionTag(9);
    Layout* a = static_cast<Layout*>(widget("a", 1, root));
    UIWidget* innerTwin = widget("twin", 3, a);
    Layout* outerTwin = static_cast<Layout*>(widget("twin", 2, root));
    UIWidget* deep = widget("deep", 0, outerTwin);
    UIWidget* unnamed = Layout::create();
    root->addChild(unnamed);

    UIToolbox* toolbox = UIToolbox::sharedToolbox();
    EXPECT_EQ(toolbox->findWidgetByName(root, "root"), root);
    EXPECT_EQ(toolbox->findWidgetByName(root, "twin"), innerTwin);  // an earlier sibling's subtree wins
    EXPECT_EQ(toolbox->findWidgetByName(outerTwin, "twin"), outerTwin);
    EXPECT_EQ(toolbox->findWidgetByName(root, "default"), unnamed);
    EXPECT_EQ(toolbox->findWidgetByName(root, "Twin"), nullptr);
    EXPECT_EQ(toolbox->findWidgetByName(root, nullptr), nullptr);
    EXPECT_EQ(toolbox->findWidgetByName(nullptr, "root"), nullptr);

    EXPECT_EQ(toolbox->findWidgetByActionTag(root, 0), deep);  // before the later sibling "default"
    EXPECT_EQ(toolbox->findWidgetByActionTag(root, 9), root);
    EXPECT_EQ(toolbox->findWidgetByActionTag(root, 3), innerTwin);
    EXPECT_EQ(toolbox->findWidgetByActionTag(root, 42), nullptr);
}

TEST_F(UIToolboxTest, RelativeNamesAreLookedForAmongDirectChildrenOnly) {
    Layout* root = Layout::create();
    Layout* plain = static_cast<Layout*>(widget("plain", 0, root));
    UIWidget* linear = widget("linear", 0, root);
    linear->setLayoutParameter(LinearLayoutParameter::create());
    UIWidget* grandchild = widget("grandchild", 0, plain);
    RelativeLayoutParameter* deepParameter = RelativeLayoutParameter::create();
    deepParameter->setRelativeName("anchor");
    grandchild->setLayoutParameter(deepParameter);

    UIToolbox* toolbox = UIToolbox::sharedToolbox();
    EXPECT_EQ(toolbox->findWidgetByRelativeName(root, "anchor"), nullptr);

    UIWidget* first = widget("first", 0, root);
    UIWidget* second = widget("second", 0, root);
    for (UIWidget* w : {first, second}) {
        RelativeLayoutParameter* parameter = RelativeLayoutParameter::create();
        parameter->setRelativeName("anchor");
        w->setLayoutParameter(parameter);
    }
    EXPECT_EQ(toolbox->findWidgetByRelativeName(root, "anchor"), first);
    EXPECT_EQ(toolbox->findWidgetByRelativeName(root, "anchorX"), nullptr);
    EXPECT_EQ(toolbox->findWidgetByRelativeName(nullptr, "anchor"), nullptr);
}

TEST_F(UIToolboxTest, EachSheetIsHandedToTheFrameCacheOnceWhileTheToolboxLives) {
    const std::string sheet = CCFileUtils::sharedFileUtils()->fullPathForFilename("Images/cast.plist");
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    cache->removeSpriteFramesFromFile(sheet.c_str());

    UIToolbox* toolbox = UIToolbox::sharedToolbox();
    toolbox->addSpriteFrames(sheet.c_str());
    EXPECT_TRUE(cache->isFileLoaded(sheet.c_str()));
    // Had the toolbox asked again, the cache would have loaded the sheet again.
    cache->removeSpriteFramesFromFile(sheet.c_str());
    toolbox->addSpriteFrames(sheet.c_str());
    EXPECT_FALSE(cache->isFileLoaded(sheet.c_str()));
    toolbox->addSpriteFrames("");
    toolbox->addSpriteFrames(nullptr);
    EXPECT_EQ(toolbox->getRegisteredSheets()->count(), 1u);

    UIToolbox::purgeToolbox();
    UIToolbox::sharedToolbox()->addSpriteFrames(sheet.c_str());
    EXPECT_TRUE(cache->isFileLoaded(sheet.c_str()));
}

TEST_F(UIToolboxTest, StartsWithTheWindowSizeAndPurgesTheReaderWithIt) {
    const CCSize window = CCDirector::sharedDirector()->getWinSize();
    EXPECT_EQ(UIToolbox::sharedToolbox()->getDesignSize().width, window.width);
    EXPECT_EQ(UIToolbox::sharedToolbox()->getDesignSize().height, window.height);

    CCSGUIReader::sharedReader();
    UIToolbox::purgeToolbox();
    EXPECT_FALSE(CCSGUIReader::exists());
    EXPECT_FALSE(UIToolbox::exists());
}

}  // namespace
}  // namespace lirava
