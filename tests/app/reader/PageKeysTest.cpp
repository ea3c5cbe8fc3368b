#include <string>

#include "app/contents/TestController.h"
#include "app/reader/BookState.h"
#include "app/reader/ReaderFixture.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItemImage.h"
#include "engine/platform/KeyInput.h"
#include "engine/transitions/CCTransitionPageTurn.h"

namespace lirava::test {
namespace {

// Keys reach a page the way the platform delivers them: pressed, then a frame runs.
class PageKeysTest : public ReaderFixture {
protected:
    void key(const std::string& name, bool repeat = false) {
        dispatchKeyPress(name, repeat);
        stepFrames(1);
        dispatchKeyRelease(name);
        stepFrames(1);
    }

    bool sceneChangePending() const { return CCDirector::sharedDirector()->getNextScene() != nullptr; }
    CCScene* runningScene() const { return CCDirector::sharedDirector()->getRunningScene(); }
};

TEST_F(PageKeysTest, ArrowsTurnLikeTheItemsAndStopAtTheEndsOfTheBook) {
    PageLayer* first = openPage(2);
    key("Left");
    EXPECT_EQ(runningPage(), first);
    EXPECT_EQ(book::currentPage, 2);
    EXPECT_TRUE(first->isTouchEnabled());

    key("Right");
    EXPECT_NE(dynamic_cast<CCTransitionPageTurn*>(runningScene()), nullptr);
    EXPECT_EQ(book::currentPage, 3);
    EXPECT_EQ(book::turnDirection, 1);
    key("Right");  // the page curls: nothing more
    EXPECT_EQ(book::currentPage, 3);
    ASSERT_TRUE(runUntil([this] { return runningPage() != nullptr; }, 2.0));
    EXPECT_EQ(className(runningPage()), "TestLayer2");

    // A held key repeats: one page per finished curl.
    key("Left", true);
    EXPECT_EQ(book::currentPage, 2);
    EXPECT_EQ(book::turnDirection, -1);

    PageLayer* last = openPage(96);
    key("Right");
    EXPECT_EQ(runningPage(), last);
    EXPECT_FALSE(sceneChangePending());
    EXPECT_EQ(book::currentPage, 96);
}

TEST_F(PageKeysTest, SpacePlaysAndPausesOnlyWhileThePlayItemShows) {
    openPage(5);
    key("Space");
    EXPECT_TRUE(book::autoPlay);
    runSeconds(0.3);
    EXPECT_EQ(music(), narrationOf(5, 1));
    key("Space", true);  // a held Space does not flip it back and forth
    EXPECT_TRUE(book::autoPlay);
    key("Space");
    EXPECT_FALSE(book::autoPlay);

    book::readingMode = ModeManual;
    SimpleAudioEngine::sharedEngine()->stopBackgroundMusic();
    PageLayer* page = openPage(5);
    ASSERT_FALSE(page->getPlayItem()->isVisible());
    key("Space");
    runSeconds(0.5);
    EXPECT_FALSE(book::autoPlay);
    EXPECT_EQ(music(), "");
}

TEST_F(PageKeysTest, HomeAndEscapeGoHomeLikeTheMainPageItem) {
    for (const char* name : {"Home", "Escape"}) {
        book::autoPlay = false;
        openPage(7);
        key("Space");
        ASSERT_TRUE(runUntil([] { return !music().empty(); }, 1.5)) << name;
        key(name);
        EXPECT_NE(runningChild<TestController>(), nullptr) << name;
        EXPECT_EQ(music(), "") << name;
    }
}

TEST_F(PageKeysTest, KeysDoNothingWhereAClickCouldNotReachTheItem) {
    PageLayer* page = openPage(10);
    page->getMenu()->setVisible(false);
    for (const char* name : {"Right", "Left", "Space", "Home", "Escape", "Up", "Return"}) {
        key(name);
    }
    EXPECT_EQ(runningPage(), page);
    EXPECT_FALSE(sceneChangePending());
    EXPECT_EQ(book::currentPage, 10);
    EXPECT_FALSE(book::autoPlay);

    page->getMenu()->setVisible(true);
    page->getNextItem()->setEnabled(false);
    key("Right");
    EXPECT_EQ(book::currentPage, 10);
    key("Left");
    EXPECT_EQ(book::currentPage, 9);
}

}  // namespace
}  // namespace lirava::test
