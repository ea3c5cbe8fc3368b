#include <string>

#include "app/contents/TestController.h"
#include "app/reader/SettingsFixture.h"
#include "engine/platform/KeyInput.h"

namespace lirava::test {
namespace {

// Keys reach the settings screen as the platform delivers them: pressed, then a frame runs.
class SettingsKeysTest : public SettingsFixture {
protected:
    void key(const std::string& name, bool repeat = false) {
        dispatchKeyPress(name, repeat);
        stepFrames(1);
        dispatchKeyRelease(name);
        stepFrames(1);
    }
};

class DamagedSettingsKeysTest : public DamagedSettingsFixture {
protected:
    void key(const std::string& name) {
        dispatchKeyPress(name, false);
        stepFrames(1);
        dispatchKeyRelease(name);
        stepFrames(1);
    }
};

TEST_F(SettingsKeysTest, HomeAndEscapeLeaveLikeTheMainButtonWithTheModeUnchanged) {
    withoutDrawing();
    for (const char* name : {"Home", "Escape"}) {
        openSettingsFrom(5);
        clickButton(SetLayer::SettingManual);
        key("Escape", true);  // a held key is not a new press
        ASSERT_NE(settings(), nullptr);
        key(name);
        EXPECT_NE(runningChild<TestController>(), nullptr) << name;
        EXPECT_EQ(book::readingMode, ModeAutoTurn) << name;
        EXPECT_EQ(book::selectedSetting, nullptr) << name;
    }
}

TEST_F(SettingsKeysTest, OtherKeysAndKeysDuringTheFlipDoNothing) {
    withoutDrawing();
    openPage(5)->showSettings(nullptr);
    stepFrames(1);
    ASSERT_NE(runningFlip(), nullptr);
    key("Home");  // the screen is still flipping in
    runUntil([this] { return settings() != nullptr; }, 1.0);
    ASSERT_NE(settings(), nullptr);
    for (const char* name : {"Left", "Right", "Space", "Return", "Up"}) {
        key(name);
    }
    EXPECT_NE(settings(), nullptr);
    EXPECT_EQ(CCDirector::sharedDirector()->getNextScene(), nullptr);
}

TEST_F(DamagedSettingsKeysTest, WithoutTheMainButtonTheKeyTakesTheOfferedHomeItemOrNothing) {
    writeSettingsWithout({"bnok", "bnmain", "bncancel"});
    openSettingsFrom(5);
    ASSERT_NE(settings()->getHomeMenu(), nullptr);
    key("Home");
    EXPECT_NE(runningChild<TestController>(), nullptr);

    // OK and Cancel still lead out, so there is no home item, and a touch could not go home.
    writeSettingsWithout({"bnmain"});
    openSettingsFrom(5);
    ASSERT_EQ(settings()->getHomeMenu(), nullptr);
    key("Escape");
    EXPECT_NE(settings(), nullptr);
    EXPECT_EQ(CCDirector::sharedDirector()->getNextScene(), nullptr);
}

}  // namespace
}  // namespace lirava::test
