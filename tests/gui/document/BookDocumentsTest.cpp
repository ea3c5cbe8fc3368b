#include <dirent.h>
#include <gtest/gtest.h>
#include <json/json.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/base/CCArray.h"
#include "gui/action/ActionManager.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/UIToolbox.h"
#include "gui/widgets/UIWidget.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

const std::string kBook = LIRAVA_SOURCE_DIR "/book/";

std::vector<std::string> bookDocuments() {
    std::vector<std::string> names;
    if (DIR* dir = opendir((kBook + "english5down").c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 5 && name.compare(name.size() - 5, 5, ".json") == 0) {
                names.push_back("english5down/" + name);
            }
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    names.push_back("3age/pageset.json");
    return names;
}

using ClassCounts = std::map<std::string, int>;

// What the document says, counted straight from the JSON: the widget class each document class
// makes, skipping nodes that make none together with everything below them.
void countDocumentNode(const Json::Value& node, ClassCounts& counts) {
    static const std::map<std::string, std::string> kMade = {
        {"Button", "Button"},  {"TextButton", "Button"},   {"Label", "Label"},
        {"TextArea", "Label"}, {"ImageView", "ImageView"}, {"Panel", "Layout"},
    };
    const auto made = kMade.find(node.get("classname", "").asString());
    if (made == kMade.end()) {
        return;
    }
    ++counts[made->second];
    for (const Json::Value& child : node["children"]) {
        countDocumentNode(child, counts);
    }
}

void countWidget(UIWidget* widget, ClassCounts& counts) {
    ++counts[widget->getTypeName()];
    for (CCObject* child : *widget->getChildren()) {
        countWidget(static_cast<UIWidget*>(child), counts);
    }
}

class BookDocumentsTest : public ::testing::TestWithParam<std::string> {
protected:
    void TearDown() override {
        DictionaryAccessor::purge();
        UIToolbox::purgeToolbox();
        ActionManager::destroyInstance();
        test::drainAutoreleasePool();
    }
};

TEST_P(BookDocumentsTest, LoadsEveryWidgetTheDocumentDeclares) {
    const std::string name = GetParam();
    std::ifstream in(kBook + name);
    Json::Value document;
    Json::CharReaderBuilder builder;
    std::string errors;
    ASSERT_TRUE(Json::parseFromStream(builder, in, &document, &errors)) << errors;
    ClassCounts expected;
    countDocumentNode(document["widgetTree"], expected);

    ::testing::internal::CaptureStdout();
    UIWidget* root = CCSGUIReader::sharedReader()->widgetFromFile(name.c_str());
    const std::string printed = ::testing::internal::GetCapturedStdout();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(printed, "");
    ClassCounts built;
    countWidget(root, built);
    EXPECT_EQ(built, expected);

    const int animations = static_cast<int>(document["animation"]["actionlist"].size());
    CCArray* filed = ActionManager::instance()->getAnimationsForDocument(ActionManager::fileNameKey(name.c_str()));
    ASSERT_NE(filed, nullptr);
    EXPECT_EQ(static_cast<int>(filed->count()), animations);
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(SampleBook, BookDocumentsTest, ::testing::ValuesIn(bookDocuments()), testName);

}  // namespace
}  // namespace lirava
