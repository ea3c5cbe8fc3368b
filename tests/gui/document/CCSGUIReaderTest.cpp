#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/base/CCArray.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCString.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/platform/CCDirector.h"
#include "gui/action/ActionManager.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/JsonDictionary.h"
#include "gui/document/UIToolbox.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UIWidget.h"
#include "support/DocumentFolder.h"
#include "support/EngineEnvironment.h"
#include "support/SettledObjects.h"

namespace lirava {
namespace {

class CCSGUIReaderTest : public ::testing::Test {
protected:
    void SetUp() override { purgeAll(); }
    void TearDown() override {
        purgeAll();
        test::drainAutoreleasePool();
    }
    static void purgeAll() {
        DictionaryAccessor::purge();
        UIToolbox::purgeToolbox();
        ActionManager::destroyInstance();
    }

    // Reads a document written to the scratch folder; the reader's printed lines go to output.
    UIWidget* read(const std::string& name, const std::string& text, std::string* output = nullptr) {
        const std::string path = folder.write(name, text);
        ::testing::internal::CaptureStdout();
        UIWidget* root = CCSGUIReader::sharedReader()->widgetFromFile(path.c_str());
        const std::string printed = ::testing::internal::GetCapturedStdout();
        if (output) {
            *output = printed;
        }
        return root;
    }

    static std::vector<std::string> childNames(UIWidget* widget) {
        std::vector<std::string> names;
        for (CCObject* child : *widget->getChildren()) {
            names.push_back(static_cast<UIWidget*>(child)->getName());
        }
        return names;
    }

    test::DocumentFolder folder;
};

TEST_F(CCSGUIReaderTest, VersionNumbersWeighTheFourPieces) {
    EXPECT_EQ(CCSGUIReader::versionNumber("0.2.5.0"), 250);
    EXPECT_EQ(CCSGUIReader::versionNumber("0.2.4.9"), 249);
    EXPECT_EQ(CCSGUIReader::versionNumber("0.2.4.0"), 240);
    EXPECT_EQ(CCSGUIReader::versionNumber("1.0.0.0"), 1000);
    EXPECT_EQ(CCSGUIReader::versionNumber("0.2.5"), 0);  // shorter than 7 characters
    EXPECT_EQ(CCSGUIReader::versionNumber(nullptr), 0);
    EXPECT_EQ(CCSGUIReader::versionNumber("1.2.3.45x"), 1275);  // the fourth piece is all the rest
    EXPECT_EQ(CCSGUIReader::versionNumber("a.b.c.d"), 0);
    EXPECT_EQ(CCSGUIReader::versionNumber("99999999999999999999.0.0.0"), 2147483647);
}

TEST_F(CCSGUIReaderTest, VersionSelectsTheKeySet) {
    const char* panel = R"("widgetTree": {"classname": "Panel", "options": {"width": 10, "height": 10}})";
    read("a.json", std::string(R"({"version": "0.2.5.0", "designWidth": 640, "designHeight": 960, )") + panel + "}");
    EXPECT_FALSE(CCSGUIReader::sharedReader()->isOlderSchema());
    read("b.json", std::string(R"({"version": "0.2.4.9", "designWidth": 640, "designHeight": 960, )") + panel + "}");
    EXPECT_TRUE(CCSGUIReader::sharedReader()->isOlderSchema());
    read("c.json", std::string(R"({"version": "0.2.5", "designWidth": 640, "designHeight": 960, )") + panel + "}");
    EXPECT_TRUE(CCSGUIReader::sharedReader()->isOlderSchema());
    read("d.json", std::string(R"({"designWidth": 640, "designHeight": 960, )") + panel + "}");
    EXPECT_TRUE(CCSGUIReader::sharedReader()->isOlderSchema());
    EXPECT_EQ(CCSGUIReader::sharedReader()->getFilePath(), folder.path() + "/");
}

TEST_F(CCSGUIReaderTest, UnreadableFilesPrintTheNameTheCallerPassed) {
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(CCSGUIReader::sharedReader()->widgetFromFile("no/such/page.json"), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "read json file[no/such/page.json] error!\n");

    std::string printed;
    EXPECT_EQ(read("empty.json", "", &printed), nullptr);
    EXPECT_EQ(printed, "read json file[" + folder.path() + "/empty.json] error!\n");
    EXPECT_EQ(read("nul.json", std::string("\0{}", 3), &printed), nullptr);
    EXPECT_NE(printed.find("error!"), std::string::npos);
    // A failed read files no animations and makes no toolbox.
    EXPECT_FALSE(ActionManager::exists());
}

TEST_F(CCSGUIReaderTest, DesignSizeAndTheZeroSizeRoot) {
    std::string printed;
    UIWidget* root = read("a.json", R"({"designWidth": 0, "designHeight": 600,
                                        "widgetTree": {"classname": "Panel", "options": {}}})",
                          &printed);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(printed, "Read design size error!\n");
    const CCSize window = CCDirector::sharedDirector()->getWinSize();
    EXPECT_EQ(UIToolbox::sharedToolbox()->getDesignSize().width, window.width);
    EXPECT_EQ(UIToolbox::sharedToolbox()->getDesignSize().height, window.height);
    // The root takes the file's values, not the window's.
    EXPECT_EQ(root->getSize().width, 0.0f);
    EXPECT_EQ(root->getSize().height, 600.0f);

    root = read("b.json", R"({"designWidth": 320, "designHeight": 480,
                              "widgetTree": {"classname": "Panel", "options": {"width": 0, "height": 0}}})",
                &printed);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(UIToolbox::sharedToolbox()->getDesignSize().width, 320.0f);
    EXPECT_EQ(root->getSize().width, 320.0f);
    EXPECT_EQ(root->getSize().height, 480.0f);

    root = read("c.json", R"({"designWidth": 320, "designHeight": 480,
                              "widgetTree": {"classname": "Panel", "options": {"width": 100, "height": 0}}})");
    EXPECT_EQ(root->getSize().width, 100.0f);
    EXPECT_EQ(root->getSize().height, 0.0f);

    // Only a Layout root is resized.
    root = read("d.json", R"({"version": "1.0.0.0", "designWidth": 320, "designHeight": 480,
                              "widgetTree": {"classname": "Button", "options": {"ignoreSize": false}}})");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->getSize().width, 0.0f);
}

TEST_F(CCSGUIReaderTest, SheetsAreRegisteredBelowTheDocumentFolderOnce) {
    const std::string sheet = R"({"designWidth": 640, "designHeight": 960, "textures": ["a.plist", 7, "a.plist"],
                                  "widgetTree": {"classname": "Panel"}})";
    read("pages/book/page1.json", sheet);
    read("pages/book/page2.json", sheet);
    CCArray* sheets = UIToolbox::sharedToolbox()->getRegisteredSheets();
    ASSERT_EQ(sheets->count(), 1u);
    EXPECT_EQ(static_cast<CCString*>(sheets->objectAtIndex(0))->str(), folder.path() + "/pages/book/a.plist");
}

TEST_F(CCSGUIReaderTest, ChildrenKeepDocumentOrderAndUnknownClassesDropTheirSubtree) {
    const std::size_t before = test::settledObjectCount();
    UIWidget* root = read("a.json", R"({"designWidth": 640, "designHeight": 960, "widgetTree":
        {"classname": "Panel", "options": {"name": "root"}, "children": [
            {"classname": "Panel", "options": {"name": "first"}, "children": [
                {"classname": "Panel", "options": {"name": "inner"}}]},
            {"classname": "ListView", "options": {"name": "list"}, "children": [
                {"classname": "Panel", "options": {"name": "lost"}}]},
            {"classname": "Slidr", "options": {"name": "typo"}},
            {"options": {"name": "no class"}},
            {"classname": "panel", "options": {"name": "wrong case"}},
            7,
            {"classname": "Panel", "options": {"name": "second"}},
            {"classname": "Panel", "options": {"name": "third"}}]}})");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(childNames(root), (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(childNames(static_cast<UIWidget*>(root->getChildren()->objectAtIndex(0))),
              std::vector<std::string>{"inner"});
    EXPECT_EQ(UIToolbox::sharedToolbox()->findWidgetByName(root, "lost"), nullptr);

    // Everything the read made, the widgets of the dropped subtree included, goes with the pool
    // and the purges (widgets let go of their nodes over more than one drain).
    purgeAll();
    EXPECT_EQ(test::settledObjectCount(), before);
}

TEST_F(CCSGUIReaderTest, WidgetFromDictionaryLeavesTheCallersDictionaryAlone) {
    JsonDictionary node;
    node.loadText(R"({"classname": "Panel", "options": {"name": "p"}, "children": [{"classname": "Panel"}]})");
    UIWidget* first = CCSGUIReader::sharedReader()->widgetFromDictionary(&node);
    UIWidget* second = CCSGUIReader::sharedReader()->widgetFromDictionary(&node);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->getChildren()->count(), 1u);
    EXPECT_EQ(CCSGUIReader::sharedReader()->widgetFromDictionary(nullptr), nullptr);
}

TEST_F(CCSGUIReaderTest, WronglyTypedDocumentsGivePartialTrees) {
    EXPECT_EQ(read("a.json", R"({"widgetTree": [1, 2]})"), nullptr);
    EXPECT_EQ(read("b.json", R"({"widgetTree": "Panel"})"), nullptr);
    EXPECT_EQ(read("c.json", R"([1, 2, 3])"), nullptr);
    EXPECT_EQ(read("d.json", "not json at all"), nullptr);

    UIWidget* root = read("e.json", R"({"version": 2, "textures": {"a": 1}, "designWidth": "640",
        "widgetTree": {"classname": "Panel", "options": "none", "children": {"a": {"classname": "Panel"}}},
        "animation": [1]})");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->getChildren()->count(), 0u);
    EXPECT_STREQ(root->getName(), "default");

    // Text cut short keeps what the parser had built.
    root = read("f.json", R"({"widgetTree": {"classname": "Panel", "options": {"name": "cut"}, "children": [)");
    if (root) {
        EXPECT_STREQ(root->getName(), "cut");
    }
}

std::string nestedPanels(int depth) {
    std::string text = R"({"widgetTree": )";
    for (int i = 0; i < depth; ++i) {
        text += R"({"classname": "Panel", "children": [)";
    }
    for (int i = 0; i < depth; ++i) {
        text += "]}";
    }
    return text + "}";
}

TEST_F(CCSGUIReaderTest, DeepDocumentsGiveATreeOrNoneWithoutLeaking) {
    const std::size_t before = test::settledObjectCount();
    UIWidget* root = read("deep.json", nestedPanels(300));
    ASSERT_NE(root, nullptr);
    int depth = 1;
    for (UIWidget* widget = root; widget->getChildren()->count() > 0; ++depth) {
        widget = static_cast<UIWidget*>(widget->getChildren()->objectAtIndex(0));
    }
    EXPECT_EQ(depth, 300);

    // Beyond the parser's nesting limit: whatever comes back, nothing crashes or stays behind.
    read("deeper.json", nestedPanels(5000));
    purgeAll();
    EXPECT_EQ(test::settledObjectCount(), before);
}

TEST_F(CCSGUIReaderTest, AnimationsAreFiledUnderTheDocumentsFileName) {
    const std::string path = folder.write("folder/page3.json", R"({"designWidth": 640, "designHeight": 960,
        "widgetTree": {"classname": "Panel", "options": {"actiontag": 5}},
        "animation": {"actionlist": [{"name": "wave", "actionnodelist": [{"ActionTag": 5}]}]}})");
    UIWidget* root = CCSGUIReader::sharedReader()->widgetFromFile(path.c_str());
    CCArray* animations = ActionManager::instance()->getAnimationsForDocument("page3.json");
    ASSERT_NE(animations, nullptr);
    ASSERT_EQ(animations->count(), 1u);

    // A document without an animation section files an empty list.
    read("page4.json", R"({"widgetTree": {"classname": "Panel"}})");
    ASSERT_NE(ActionManager::instance()->getAnimationsForDocument("page4.json"), nullptr);
    EXPECT_EQ(ActionManager::instance()->getAnimationsForDocument("page4.json")->count(), 0u);
    EXPECT_NE(root, nullptr);
}

TEST_F(CCSGUIReaderTest, EverythingComesBackAfterThePurges) {
    UIWidget* first = CCSGUIReader::sharedReader()->widgetFromFile("english5down/english5down_2.json");
    ASSERT_NE(first, nullptr);
    const unsigned int childCount = first->getChildren()->count();
    test::drainAutoreleasePool();

    purgeAll();
    EXPECT_FALSE(CCSGUIReader::exists());
    EXPECT_FALSE(UIToolbox::exists());
    EXPECT_FALSE(ActionManager::exists());
    purgeAll();  // purging twice, or with nothing there, is harmless

    UIWidget* again = CCSGUIReader::sharedReader()->widgetFromFile("english5down/english5down_2.json");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->getChildren()->count(), childCount);
    EXPECT_TRUE(UIToolbox::exists());
    ASSERT_NE(ActionManager::instance()->getAnimationsForDocument("english5down_2.json"), nullptr);
    EXPECT_EQ(UIToolbox::sharedToolbox()->getRegisteredSheets()->count(), 1u);
}

}  // namespace
}  // namespace lirava
