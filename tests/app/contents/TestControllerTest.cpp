#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/AppFixture.h"
#include "app/contents/MenuLayerMainMenu.h"
#include "app/contents/TestController.h"
#include "app/shell/MenuTestScene.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItemImage.h"
#include "engine/nodes/CCSprite.h"
#include "engine/platform/CCFileUtils.h"

namespace lirava::test {
namespace {

namespace fs = std::filesystem;

class HomeScreenTest : public AppFixture {
protected:
    TestController* showHome() {
        runScene(TestController::createScene());
        return runningChild<TestController>();
    }
};

TEST_F(HomeScreenTest, ListsTheNineUnitsInRowsAboveTheHiddenHint) {
    TestController* home = showHome();
    ASSERT_NE(home, nullptr);
    CCMenu* menu = home->getUnitMenu();
    ASSERT_EQ(menu->getChildrenCount(), 10u);
    const char* names[] = {"Unit 1", "Unit 2", "Unit 3",    "Recycle 1", "Unit 4",
                           "Unit 5", "Unit 6", "Recycle 2", "Words"};
    for (unsigned int i = 0; i < 9; ++i) {
        CCNode* item = child(menu, i);
        EXPECT_EQ(itemText(item), names[i]);
        EXPECT_EQ(item->getZOrder(), 10000 + static_cast<int>(i));
        EXPECT_FLOAT_EQ(item->getPositionX(), 320.0f);
        EXPECT_FLOAT_EQ(item->getPositionY(), 860.0f - 100.0f * i);
    }
    CCMenuItemImage* hint = home->getDragHint();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(child(menu, 9), hint);
    EXPECT_EQ(hint->getZOrder(), 300000);
    EXPECT_EQ(hint->getPosition(), CCPoint(290, 480));
    EXPECT_FALSE(hint->isVisible());
    EXPECT_EQ(menu->getPosition(), CCPointZero);
    EXPECT_EQ(menu->getContentSize(), CCSize(640, 1000));

    // The background shows between the items, blended over the black frame.
    const Frame& frame = capture();
    EXPECT_TRUE(colorNear(frame.atDesign(600, 700), ccc4(5, 211, 26, 255), 3));
}

TEST_F(HomeScreenTest, ATapWhileTheHintShowsOnlyDismissesIt) {
    TestController* home = showHome();
    home->getDragHint()->setVisible(true);
    CCNode* recycle = child(home->getUnitMenu(), 3);

    click(320, 560);  // "Recycle 1"
    EXPECT_FALSE(home->getDragHint()->isVisible());
    EXPECT_EQ(contents::currentUnit, 0);
    EXPECT_EQ(runningChild<TestController>(), home);

    home->onUnitChosen(recycle);
    stepFrames(1);
    EXPECT_EQ(contents::currentUnit, 3);
    EXPECT_NE(dynamic_cast<MenuTestScene*>(CCDirector::sharedDirector()->getRunningScene()), nullptr);
}

TEST_F(HomeScreenTest, ChoosingAUnitOpensItsPageList) {
    showHome();
    click(320, 560);  // "Recycle 1"
    ASSERT_EQ(contents::currentUnit, 3);
    MenuLayerMainMenu* list = runningChild<MenuLayerMainMenu>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->getMenu()->getChildrenCount(), 6u);

    // Back home through the list's main-page button; the word list is the ninth item.
    click(560, 30);
    ASSERT_NE(runningChild<TestController>(), nullptr);
    click(320, 60);
    EXPECT_EQ(contents::currentUnit, 8);
}

TEST_F(HomeScreenTest, SendersThatNameNoUnitAreIgnored) {
    TestController* home = showHome();
    CCNode* stray = CCNode::create();
    stray->setZOrder(10009);
    home->onUnitChosen(stray);
    home->onUnitChosen(nullptr);
    stepFrames(1);
    EXPECT_EQ(contents::currentUnit, 0);
    EXPECT_EQ(runningChild<TestController>(), home);
}

TEST_F(HomeScreenTest, DragScrollsBetweenZeroAndFortyAndKeepsTheOffset) {
    TestController* home = showHome();
    CCMenu* menu = home->getUnitMenu();
    // Drags start beside the items, where the menu does not claim the touch.
    press(60, 500);
    moveTo(60, 525);
    EXPECT_EQ(menu->getPosition(), CCPoint(0, 25));
    EXPECT_EQ(contents::homeMenuOffset, CCPoint(0, 25));
    moveTo(60, 600);
    EXPECT_EQ(menu->getPosition(), CCPoint(0, 40));
    EXPECT_EQ(contents::homeMenuOffset, CCPoint(0, 25));
    // A pinned step moves neither the start point nor the offset: this step is measured from 525.
    moveTo(60, 520);
    EXPECT_EQ(menu->getPosition(), CCPoint(0, 35));
    EXPECT_EQ(contents::homeMenuOffset, CCPoint(0, 35));
    moveTo(60, 100);
    EXPECT_EQ(menu->getPosition(), CCPointZero);
    EXPECT_EQ(contents::homeMenuOffset, CCPoint(0, 35));
    release(60, 100);

    // Coming back shows the menu where it was last left by an accepted drag.
    runScene(TestController::createScene());
    stepFrames(1);
    EXPECT_EQ(runningChild<TestController>()->getUnitMenu()->getPosition(), CCPoint(0, 35));
}

TEST_F(HomeScreenTest, FigureGlidesRightRestsAndReturns) {
    TestController* home = showHome();
    CCSprite* figure = home->getFigure();
    ASSERT_NE(figure, nullptr);
    EXPECT_EQ(home->getChildren()->indexOfObject(figure), 1u);  // above the background, below the menu
    EXPECT_EQ(figure->getZOrder(), -1);
    // The motion's first step is the frame after the screen shows; t counts from there.
    stepFrames(1);
    const double start = CCDirector::sharedDirector()->getElapsedTime();
    struct Expected {
        double t;
        float x;
    } checkpoints[] = {{0.0, 60}, {1.5, 315}, {3.0, 570}, {3.25, 570}, {4.75, 315}, {6.25, 60}, {6.5, 60}, {9.5, 570}};
    for (const Expected& expected : checkpoints) {
        const int frames =
            static_cast<int>(std::lround((expected.t - (CCDirector::sharedDirector()->getElapsedTime() - start)) * 60));
        stepFrames(frames);
        EXPECT_NEAR(figure->getPositionX(), expected.x, 1.0f) << "at t = " << expected.t;
        EXPECT_NEAR(figure->getPositionY(), 96.0f, 1e-4f) << "at t = " << expected.t;
    }
}

TEST_F(HomeScreenTest, ComingHomeStopsTheNarration) {
    SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
    fs::path narration;
    for (const fs::directory_entry& entry : fs::directory_iterator(LIRAVA_SOURCE_DIR "/book/epc")) {
        if (entry.path().extension() == ".mp3") {
            narration = entry.path();  // a track, not the word timings beside it
            break;
        }
    }
    audio->setBackgroundMusicVolume(0.2f);
    audio->playBackgroundMusic(narration.c_str());
    ASSERT_TRUE(audio->isBackgroundMusicPlaying());
    showHome();
    EXPECT_FALSE(audio->isBackgroundMusicPlaying());
    EXPECT_FLOAT_EQ(audio->getBackgroundMusicVolume(), 1.0f);
}

class FirstRunMarkerTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        m_root = fs::temp_directory_path() / ("lirava-marker-" + std::to_string(::getpid()));
        fs::remove_all(m_root);
        fs::create_directories(m_root);
        CCFileUtils::sharedFileUtils()->setResourceRoot(m_root.string());
    }
    void TearDown() override {
        AppFixture::TearDown();
        CCFileUtils::sharedFileUtils()->setResourceRoot(LIRAVA_SOURCE_DIR "/book");
        fs::remove_all(m_root);
    }

    static std::string contentsOf(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path m_root;
};

TEST_F(FirstRunMarkerTest, IsCreatedOnceWithOneLineAndNeverRewritten) {
    const fs::path marker = m_root / "ft.xml";
    ASSERT_NE(TestController::create(), nullptr);
    ASSERT_TRUE(fs::exists(marker));
    const std::string line = contentsOf(marker);
    EXPECT_TRUE(std::regex_match(line, std::regex("[a-z0-9]{22}\n"))) << line;

    // Whatever a later start finds there, it leaves alone.
    { std::ofstream(marker, std::ios::binary) << "kept"; }
    ASSERT_NE(TestController::create(), nullptr);
    EXPECT_EQ(contentsOf(marker), "kept");
}

TEST_F(FirstRunMarkerTest, AFolderThatCannotBeWrittenIsNoError) {
    CCFileUtils::sharedFileUtils()->setResourceRoot((m_root / "missing" / "folder").string());
    TestController* home = TestController::create();
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(home->getUnitMenu()->getChildrenCount(), 10u);
    EXPECT_FALSE(fs::exists(m_root / "missing"));
    // Without the book's images and strings the screen still stands: no figure, an empty ninth label.
    EXPECT_EQ(home->getFigure(), nullptr);
    EXPECT_EQ(itemText(child(home->getUnitMenu(), 8)), "");
}

}  // namespace
}  // namespace lirava::test
