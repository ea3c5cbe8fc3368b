#include <string>

#include "app/contents/TestController.h"
#include "app/reader/BookState.h"
#include "app/reader/ReaderFixture.h"
#include "engine/actions/CCScheduler.h"
#include "engine/transitions/CCTransitionPageTurn.h"

namespace lirava::test {
namespace {

class NavigationTest : public ReaderFixture {
protected:
    static constexpr float kSwipeY = 380;  // between the sentences of pages 5 to 8, above the items

    CCScene* runningScene() const { return CCDirector::sharedDirector()->getRunningScene(); }
    CCTransitionPageTurn* runningCurl() const { return dynamic_cast<CCTransitionPageTurn*>(runningScene()); }

    void clickPrevious() { click(274, 52); }
    void clickNext() { click(366, 52); }

    // Presses, moves horizontally by each of the offsets in turn (one frame each) and releases.
    void swipe(float fromX, std::initializer_list<CCPoint> offsets) {
        press(fromX, kSwipeY);
        CCPoint last(fromX, kSwipeY);
        for (const CCPoint& offset : offsets) {
            last = CCPoint(fromX + offset.x, kSwipeY + offset.y);
            moveTo(last.x, last.y);
        }
        release(last.x, last.y);
    }
};

TEST_F(NavigationTest, TheBookEndsAtPagesTwoAndNinetySix) {
    PageLayer* first = openPage(2);
    clickPrevious();
    swipe(300, {CCPoint(120, 0)});
    stepFrames(2);
    EXPECT_EQ(runningPage(), first);
    EXPECT_EQ(book::currentPage, 2);
    EXPECT_EQ(book::turnDirection, 0);
    EXPECT_TRUE(first->isTouchEnabled());

    PageLayer* last = openPage(96);
    clickNext();
    swipe(400, {CCPoint(-120, 0)});
    stepFrames(2);
    EXPECT_EQ(runningPage(), last);
    EXPECT_EQ(book::currentPage, 96);
    EXPECT_TRUE(last->isTouchEnabled());

    // From 95 the last page is still one turn away.
    openPage(95);
    clickNext();
    EXPECT_EQ(book::currentPage, 96);
}

TEST_F(NavigationTest, ASwipeTurnsAtFiftyUnitsWhileTheFingerStillMoves) {
    PageLayer* page = openPage(5);
    page->retain();
    press(400, kSwipeY);
    moveTo(351, kSwipeY);
    EXPECT_EQ(runningCurl(), nullptr);
    EXPECT_EQ(book::currentPage, 5);
    EXPECT_EQ(page->getTouchStart().x, 400);

    moveTo(350, kSwipeY);
    ASSERT_NE(runningCurl(), nullptr);
    EXPECT_FALSE(runningCurl()->isBackwards());
    EXPECT_FLOAT_EQ(runningCurl()->getDuration(), 0.5f);
    EXPECT_TRUE(CCDirector::sharedDirector()->isDepthTest());
    EXPECT_EQ(book::currentPage, 6);
    EXPECT_EQ(book::turnDirection, 1);
    EXPECT_FALSE(page->isTouchEnabled());
    EXPECT_EQ(page->getTouchStart().x, 350);

    // The same finger going on does not turn again.
    moveTo(250, kSwipeY);
    moveTo(150, kSwipeY);
    release(150, kSwipeY);
    runSeconds(0.6);
    EXPECT_EQ(book::currentPage, 6);
    EXPECT_EQ(className(runningPage()), "TestLayer2");
    page->release();

    // A rightward swipe turns back, with the page curling backwards.
    swipe(200, {CCPoint(30, 0), CCPoint(50, 0)});
    ASSERT_NE(runningCurl(), nullptr);
    EXPECT_TRUE(runningCurl()->isBackwards());
    EXPECT_EQ(book::currentPage, 5);
    EXPECT_EQ(book::turnDirection, -1);
    runSeconds(0.6);
    EXPECT_EQ(className(runningPage()), "TestLayer1");

    // Only the horizontal travel counts.
    swipe(400, {CCPoint(-20, -150), CCPoint(-60, 250)});
    EXPECT_EQ(book::currentPage, 6);
    openPage(8);
    swipe(400, {CCPoint(-49, 300)});
    EXPECT_EQ(book::currentPage, 8);
}

TEST_F(NavigationTest, TheItemsTurnPagesAndTheTwinsTakeTurns) {
    openPage(5);
    ::testing::internal::CaptureStdout();
    clickNext();
    ASSERT_NE(runningCurl(), nullptr);
    EXPECT_FALSE(runningCurl()->isBackwards());
    runSeconds(0.6);
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed,
              "Scene 1: onExitTransitionDidStart\nScene 2 onEnter\nScene 1 onExit\n"
              "Scene 2: onEnterTransitionDidFinish\n");
    EXPECT_EQ(book::currentPage, 6);
    EXPECT_EQ(className(runningPage()), "TestLayer2");

    clickNext();
    runSeconds(0.6);
    EXPECT_EQ(book::currentPage, 7);
    EXPECT_EQ(className(runningPage()), "TestLayer1");

    clickPrevious();
    ASSERT_NE(runningCurl(), nullptr);
    EXPECT_TRUE(runningCurl()->isBackwards());
    runSeconds(0.6);
    EXPECT_EQ(book::currentPage, 6);
    EXPECT_EQ(className(runningPage()), "TestLayer2");
    // The page read after the old scene dropped the document singletons is complete.
    EXPECT_NE(runningPage()->getPageRoot(), nullptr);
    EXPECT_NE(runningPage()->getSentenceButtons()[1], nullptr);
}

TEST_F(NavigationTest, TurningStopsTheNarrationAndTheTimersOfTheOldPage) {
    PageLayer* page = openPage(5);
    page->retain();
    touch(page->getSentenceButtons()[1]);
    ASSERT_FALSE(music().empty());
    clickNext();
    EXPECT_EQ(music(), "");
    EXPECT_EQ(book::activeSentence, nullptr);
    EXPECT_FALSE(CCDirector::sharedDirector()->getScheduler()->isScheduledForTarget(
        schedule_selector(PageLayer::watchCaption), page));
    page->release();
}

TEST_F(NavigationTest, TheHomeItemStopsTheNarrationAndShowsTheHomeScreen) {
    PageLayer* page = openPage(5);
    click(580, 40);  // auto-play
    ASSERT_TRUE(runUntil([] { return !music().empty(); }, 1));
    click(60, 30);
    EXPECT_EQ(music(), "");
    EXPECT_EQ(runningPage(), nullptr);
    EXPECT_NE(runningChild<TestController>(), nullptr);
    EXPECT_EQ(book::captionLabel, nullptr);  // the page is gone, and with it its caption
    (void)page;
}

}  // namespace
}  // namespace lirava::test
