#include <gtest/gtest.h>
#include <json/json.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "engine/base/CCAutoreleasePool.h"
#include "gui/action/ActionManager.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/UIToolbox.h"
#include "support/DocumentFolder.h"
#include "support/EngineEnvironment.h"
#include "support/SettledObjects.h"

namespace lirava {
namespace {

// Values of every kind, and numbers at the edges of what documents could hold.
Json::Value oddValue(std::mt19937& random) {
    switch (random() % 12) {
        case 0:
            return Json::Value();
        case 1:
            return Json::Value("text");
        case 2:
            return Json::Value("");
        case 3:
            return Json::Value(-1);
        case 4:
            return Json::Value(Json::Int64(-9223372036854775807LL));
        case 5:
            return Json::Value(Json::UInt64(18446744073709551615ULL));
        case 6:
            return Json::Value(1e300);
        case 7:
            return Json::Value(-0.5);
        case 8:
            return Json::Value(true);
        case 9:
            return Json::Value(Json::arrayValue);
        case 10: {
            Json::Value object(Json::objectValue);
            object["resourceType"] = static_cast<int>(random() % 4) - 1;
            object["path"] = random() % 2 ? Json::Value("up1.png") : Json::Value(7);
            return object;
        }
        default:
            return Json::Value(Json::objectValue);
    }
}

// Replaces about one value in eight, anywhere in the document, by an odd one.
void mutate(Json::Value& value, std::mt19937& random) {
    if (value.isObject()) {
        for (const std::string& key : value.getMemberNames()) {
            if (random() % 8 == 0) {
                value[key] = oddValue(random);
            } else {
                mutate(value[key], random);
            }
        }
    } else if (value.isArray()) {
        for (Json::Value& element : value) {
            if (random() % 8 == 0) {
                element = oddValue(random);
            } else {
                mutate(element, random);
            }
        }
    }
}

// Documents of the sample book with values of the wrong kind or range all over them: every read
// ends with a tree or none, and leaves nothing behind once the singletons are purged.
TEST(MutatedDocuments, ReadWithoutCrashingOrLeaking) {
    const std::vector<std::string> pages = {"english5down/english5down_2.json", "english5down/english5down_5.json",
                                            "english5down/english5down_60.json", "3age/pageset.json"};
    std::vector<Json::Value> originals;
    for (const std::string& page : pages) {
        std::ifstream in(std::string(LIRAVA_SOURCE_DIR) + "/book/" + page);
        Json::Value document;
        Json::CharReaderBuilder builder;
        std::string errors;
        ASSERT_TRUE(Json::parseFromStream(builder, in, &document, &errors)) << page;
        originals.push_back(document);
    }

    test::DocumentFolder folder;
    folder.copyFromBook("Images/up1.png", "up1.png");
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    std::mt19937 random(20240601u);
    const std::size_t before = test::settledObjectCount();
    for (int round = 0; round < 60; ++round) {
        Json::Value document = originals[round % originals.size()];
        mutate(document, random);
        const std::string path = folder.write("page.json", Json::writeString(writer, document));
        ::testing::internal::CaptureStdout();
        CCSGUIReader::sharedReader()->widgetFromFile(path.c_str());
        ::testing::internal::GetCapturedStdout();
        CCPoolManager::sharedPoolManager()->drainAll();
    }
    DictionaryAccessor::purge();
    UIToolbox::purgeToolbox();
    ActionManager::destroyInstance();
    EXPECT_EQ(test::settledObjectCount(), before);
}

}  // namespace
}  // namespace lirava
