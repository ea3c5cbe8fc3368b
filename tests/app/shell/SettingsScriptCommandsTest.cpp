#include <json/json.h>

#include <memory>
#include <string>

#include "app/reader/SettingsFixture.h"
#include "app/shell/SettingsScriptCommands.h"
#include "engine/platform/JsonWriter.h"

namespace lirava::test {
namespace {

Json::Value settingsDump() {
    JsonWriter writer;
    writer.beginObject();
    writeSettingsState(writer);
    writer.endObject();
    EXPECT_TRUE(writer.isComplete());
    Json::Value root;
    std::string errors;
    std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    const std::string& text = writer.str();
    EXPECT_TRUE(reader->parse(text.data(), text.data() + text.size(), &root, &errors)) << errors << text;
    return root;
}

class DamagedSettingsDumpTest : public DamagedSettingsFixture {};

// A way out that takes no touches is no way out: here Cancel is a plain label.
TEST_F(DamagedSettingsDumpTest, MissingButtonsAndForeignWidgetsAreReportedAsSuch) {
    writeSettings([](Json::Value& widget) {
        const std::string name = widget["options"]["name"].asString();
        if (name == "bncancel") {
            widget["classname"] = "Label";
            widget["options"]["touchAble"] = false;
        }
        return name != "bnok" && name != "bnmain";
    });
    SetLayer* layer = openSettingsFrom(5);
    ASSERT_NE(layer, nullptr);
    ASSERT_NE(layer->getButton(SetLayer::SettingCancel), nullptr);

    const Json::Value screen = settingsDump()["settings"];
    EXPECT_EQ(screen["homeItem"], true);
    EXPECT_TRUE(screen["buttons"]["bnok"].isNull());
    EXPECT_TRUE(screen["buttons"]["bnmain"].isNull());
    EXPECT_EQ(screen["buttons"]["bncancel"]["bright"], true);
    EXPECT_TRUE(screen["buttons"]["bncancel"]["titleColor"].isNull());
    EXPECT_EQ(screen["buttons"]["bnpres"]["bright"], true);
}

}  // namespace
}  // namespace lirava::test
