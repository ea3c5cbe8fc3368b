#include <sstream>
#include <string>
#include <vector>

#include "app/contents/TestController.h"
#include "app/reader/BookState.h"
#include "app/reader/SettingsFixture.h"
#include "engine/actions/CCScheduler.h"
#include "engine/menu/CCMenuItemFont.h"
#include "engine/menu/CCMenuItemImage.h"
#include "gui/widgets/Layout.h"

namespace lirava::test {
namespace {

class SetLayerTest : public SettingsFixture {};
class DamagedSettingsTest : public DamagedSettingsFixture {};

TEST_F(SetLayerTest, OpensFromAPageThroughAHalfSecondFlipWithTheNarrationGoingOn) {
    PageLayer* page = openPage(5);
    page->togglePlay(page->getPlayItem());
    runSeconds(0.3);
    const std::string reading = music();
    ASSERT_FALSE(reading.empty());
    CCDirector::sharedDirector()->setDepthTest(true);

    page->showSettings(nullptr);
    stepFrames(1);
    CCTransitionZoomFlipY* flip = runningFlip();
    ASSERT_NE(flip, nullptr);
    EXPECT_FLOAT_EQ(flip->getDuration(), 0.5f);
    EXPECT_EQ(flip->getOrientation(), kCCTransitionOrientationDownOver);
    EXPECT_FALSE(CCDirector::sharedDirector()->isDepthTest());
    EXPECT_EQ(music(), reading);
    // Auto-play stays switched on, but this page reads no further.
    EXPECT_TRUE(book::autoPlay);
    CCScheduler* scheduler = CCDirector::sharedDirector()->getScheduler();
    EXPECT_FALSE(scheduler->isScheduledForTarget(schedule_selector(PageLayer::autoPlayTick), page));
    EXPECT_FALSE(scheduler->isScheduledForTarget(schedule_selector(PageLayer::watchCaption), page));

    runSeconds(0.45);
    EXPECT_EQ(settings(), nullptr);
    runSeconds(0.1);
    SetLayer* layer = settings();
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(music(), reading);
    EXPECT_EQ(layer->getPendingMode(), ModeAutoTurn);
    EXPECT_EQ(book::selectedSetting, nullptr);
    EXPECT_NE(layer->getRoot(), nullptr);
    EXPECT_EQ(layer->getHomeMenu(), nullptr);
    // The six buttons carry their tags; none looks selected, whatever the mode.
    for (int tag = 1; tag <= SetLayer::kButtonCount; ++tag) {
        UIButton* found = textButton(tag);
        ASSERT_NE(found, nullptr) << SetLayer::kButtonNames[tag - 1];
        EXPECT_STREQ(found->getName(), SetLayer::kButtonNames[tag - 1]);
        EXPECT_EQ(found->getActionTag(), tag);
        EXPECT_TRUE(found->isBright());
        EXPECT_TRUE(sameColor(found->getTitleColor(), kNormalTitle));
    }
}

TEST_F(SetLayerTest, TheChosenModeTakesEffectOnlyWithOk) {
    withoutDrawing();
    openSettingsFrom(5);
    PageLayer* before = nullptr;

    clickButton(SetLayer::SettingManual);
    EXPECT_EQ(settings()->getPendingMode(), ModeManual);
    EXPECT_EQ(book::readingMode, ModeAutoTurn);
    clickButton(SetLayer::SettingCancel);
    PageLayer* page = pageAfterReturn();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(className(page), "TestLayer1");
    EXPECT_EQ(book::readingMode, ModeAutoTurn);
    EXPECT_EQ(book::currentPage, 5);
    EXPECT_TRUE(page->getPlayItem()->isVisible());
    // Held, so that the page built next cannot take its address.
    before = page;
    before->retain();

    // The next visit starts from the mode in force, with nothing selected.
    page->showSettings(nullptr);
    runUntil([this] { return settings() != nullptr; }, 1.0);
    ASSERT_NE(settings(), nullptr);
    EXPECT_EQ(settings()->getPendingMode(), ModeAutoTurn);
    EXPECT_EQ(book::selectedSetting, nullptr);
    clickButton(SetLayer::SettingManual);
    clickButton(SetLayer::SettingOk);
    page = pageAfterReturn();
    ASSERT_NE(page, nullptr);
    EXPECT_NE(page, before);
    EXPECT_EQ(book::readingMode, ModeManual);
    EXPECT_EQ(book::currentPage, 5);
    EXPECT_FALSE(page->getPlayItem()->isVisible());
    EXPECT_TRUE(page->getNextItem()->isVisible());
    EXPECT_TRUE(page->getMainItem()->isVisible());
    EXPECT_FALSE(page->getSettingsItem()->isVisible());
    before->release();
}

TEST_F(SetLayerTest, OnlyTheLastTouchedButtonLooksSelected) {
    withoutDrawing();
    openSettingsFrom(5);

    clickButton(SetLayer::SettingRepeatPage);
    UIButton* repeat = textButton(SetLayer::SettingRepeatPage);
    UIButton* autoTurn = textButton(SetLayer::SettingAutoTurn);
    EXPECT_FALSE(repeat->isBright());
    EXPECT_EQ(repeat->getRenderer(), repeat->getDisabledImage());
    EXPECT_TRUE(sameColor(repeat->getTitleColor(), kSelectedTitle));
    EXPECT_EQ(settings()->getPendingMode(), ModeRepeatPage);

    for (int i = 0; i < 2; ++i) {
        clickButton(SetLayer::SettingAutoTurn);
        EXPECT_EQ(book::selectedSetting, autoTurn);
        EXPECT_FALSE(autoTurn->isBright());
        EXPECT_EQ(autoTurn->getRenderer(), autoTurn->getDisabledImage());
        EXPECT_TRUE(sameColor(autoTurn->getTitleColor(), kSelectedTitle));
        EXPECT_TRUE(repeat->isBright());
        EXPECT_EQ(repeat->getRenderer(), repeat->getNormalImage());
        EXPECT_TRUE(sameColor(repeat->getTitleColor(), kNormalTitle));
        EXPECT_EQ(settings()->getPendingMode(), ModeAutoTurn);
    }
    EXPECT_EQ(book::readingMode, ModeAutoTurn);
}

TEST_F(SetLayerTest, ButtonsActAtTouchDownAndOnlyOnce) {
    withoutDrawing();
    openSettingsFrom(5);

    // A mode is picked while the finger is still down.
    const CCPoint manual = pressButton(SetLayer::SettingManual);
    EXPECT_EQ(settings()->getPendingMode(), ModeManual);
    EXPECT_FALSE(textButton(SetLayer::SettingManual)->isBright());
    release(manual.x, manual.y);

    // "OK" leaves at touch-down. The flip that takes the stage cancels the touch, and that
    // cancellation reaches the button too; it must not build a second page.
    ::testing::internal::CaptureStdout();
    SetLayer* leaving = settings();
    leaving->retain();
    const CCPoint ok = pressButton(SetLayer::SettingOk);
    CCTransitionZoomFlipY* flip = runningFlip();
    ASSERT_NE(flip, nullptr);
    EXPECT_FLOAT_EQ(flip->getDuration(), 0.0f);
    EXPECT_EQ(flip->getOrientation(), kCCTransitionOrientationDownOver);
    EXPECT_EQ(book::readingMode, ModeManual);
    EXPECT_TRUE(leaving->isLeaving());
    stepFrames(1);
    PageLayer* page = runningPage();
    ASSERT_NE(page, nullptr);
    release(ok.x, ok.y);
    stepFrames(2);
    const std::string log = ::testing::internal::GetCapturedStdout();
    leaving->release();

    EXPECT_EQ(runningPage(), page);
    std::istringstream lines(log);
    int pagesEntered = 0;
    std::string line;
    std::vector<std::string> settingsHooks;
    while (std::getline(lines, line)) {
        pagesEntered += line == "Scene 1 onEnter";
        if (line.rfind("SetLayer", 0) == 0) {
            settingsHooks.push_back(line);
        }
    }
    EXPECT_EQ(pagesEntered, 1) << log;
    EXPECT_EQ(settingsHooks, (std::vector<std::string>{"SetLayer 2: onExitTransitionDidStart", "SetLayer 2 onExit"}));
}

TEST_F(SetLayerTest, HomeLeavesAtTouchDownWithTheModeUnchanged) {
    withoutDrawing();
    openSettingsFrom(5);
    clickButton(SetLayer::SettingManual);

    const CCPoint home = pressButton(SetLayer::SettingMain);
    stepFrames(1);
    EXPECT_NE(runningChild<TestController>(), nullptr);
    release(home.x, home.y);
    EXPECT_NE(runningChild<TestController>(), nullptr);
    EXPECT_EQ(book::readingMode, ModeAutoTurn);
    EXPECT_EQ(book::currentPage, 5);
    // Nothing keeps pointing into the screen that went.
    EXPECT_EQ(book::selectedSetting, nullptr);
}

TEST_F(SetLayerTest, BackOnThePageAutoPlayResumesOnlyInTheAutoTurnMode) {
    withoutDrawing();
    PageLayer* page = openPage(5);
    page->togglePlay(page->getPlayItem());
    runSeconds(0.3);
    page->showSettings(nullptr);
    runUntil([this] { return settings() != nullptr; }, 1.0);

    clickButton(SetLayer::SettingOk);
    page = pageAfterReturn();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(book::autoPlay);
    // The page is read from its first sentence again.
    EXPECT_TRUE(runUntil([] { return music() == narrationOf(5, 1); }, 1.0));

    page->showSettings(nullptr);
    runUntil([this] { return settings() != nullptr; }, 1.0);
    clickButton(SetLayer::SettingRepeatPage);
    clickButton(SetLayer::SettingOk);
    page = pageAfterReturn();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(book::readingMode, ModeRepeatPage);
    EXPECT_FALSE(book::autoPlay);
    EXPECT_TRUE(page->getPlayItem()->isVisible());
    runSeconds(1.0);
    EXPECT_EQ(music(), "");
}

TEST_F(DamagedSettingsTest, WithoutTheDocumentTheScreenStillLeadsHome) {
    SetLayer* layer = openSettingsFrom(5);
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->getRoot(), nullptr);
    for (int tag = 1; tag <= SetLayer::kButtonCount; ++tag) {
        EXPECT_EQ(layer->getButton(tag), nullptr);
    }
    clickHomeItem();
    EXPECT_NE(runningChild<TestController>(), nullptr);
    EXPECT_EQ(book::readingMode, ModeAutoTurn);
}

TEST_F(DamagedSettingsTest, MissingButtonsLeaveTheOthersWorking) {
    writeSettingsWithout({"bnok", "bnmain", "bnaotopage"});
    SetLayer* layer = openSettingsFrom(5);
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->getButton(SetLayer::SettingOk), nullptr);
    EXPECT_EQ(layer->getButton(SetLayer::SettingRepeatPage), nullptr);
    // Cancel is still a way out, so the screen adds nothing of its own.
    EXPECT_EQ(layer->getHomeMenu(), nullptr);

    clickButton(SetLayer::SettingManual);
    EXPECT_EQ(settings()->getPendingMode(), ModeManual);
    clickButton(SetLayer::SettingCancel);
    ASSERT_NE(pageAfterReturn(), nullptr);
    EXPECT_EQ(book::readingMode, ModeAutoTurn);
}

TEST_F(DamagedSettingsTest, WithNoWayOutTheScreenOffersItsOwnHomeItem) {
    writeSettingsWithout({"bnok", "bnmain", "bncancel"});
    SetLayer* layer = openSettingsFrom(5);
    ASSERT_NE(layer, nullptr);
    ASSERT_NE(layer->getButton(SetLayer::SettingAutoTurn), nullptr);
    clickButton(SetLayer::SettingRepeatPage);
    EXPECT_EQ(settings()->getPendingMode(), ModeRepeatPage);

    clickHomeItem();
    EXPECT_NE(runningChild<TestController>(), nullptr);
    // Without "OK" nothing was applied.
    EXPECT_EQ(book::readingMode, ModeAutoTurn);
}

}  // namespace
}  // namespace lirava::test
