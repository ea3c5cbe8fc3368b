#include <string>

#include "app/contents/TestController.h"
#include "app/reader/BookState.h"
#include "app/reader/ReaderFixture.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItemImage.h"
#include "engine/nodes/CCLayerColor.h"
#include "engine/platform/KeyInput.h"
#include "engine/platform/Platform.h"
#include "engine/transitions/CCTransitionPageTurn.h"
#include "gui/widgets/UIButton.h"

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

TEST_F(PageKeysTest, MinusAndPlusStepTheNarrationSpeedFromTheNextSentenceOn) {
    // As SDL names them, so the window and the driver script deliver these very names.
    for (const char* name : {"-", "+", "=", "Keypad -", "Keypad +"}) {
        EXPECT_EQ(platformKeyName(name), name);
    }
    PageLayer* page = openPage(5);
    touch(page->getSentenceButtons()[1]);
    const double started = now();
    key("-");
    EXPECT_EQ(book::narrationSpeed, 0.75f);
    ASSERT_TRUE(runUntil([] { return music().empty(); }, 10));
    EXPECT_NEAR(now() - started, trackSeconds(narrationOf(5, 1)), 1.5 / 60);  // read on at 1x

    key("Keypad -");
    key("-");  // the slowest stays
    EXPECT_EQ(book::narrationSpeed, 0.5f);
    touch(page->getSentenceButtons()[2]);
    const double slow = now();
    ASSERT_TRUE(runUntil([] { return music().empty(); }, 20));
    EXPECT_NEAR(now() - slow, trackSeconds(narrationOf(5, 2)) / 0.5, 1.5 / 60);

    for (const char* name : {"+", "=", "Keypad +", "+", "+"}) {
        key(name);
    }
    EXPECT_EQ(book::narrationSpeed, 1.5f);  // the fastest stays
}

TEST_F(PageKeysTest, TheSpeedShowsForAMomentClearOfTheSentenceTheCaptionAndTheItems) {
    // Page 5 has its sentences at the top, page 8 along the bottom.
    for (const int number : {5, 8}) {
        PageLayer* page = openPage(number);
        ASSERT_EQ(page->getSpeedBadge(), nullptr);
        touch(page->getSentenceButtons()[1]);
        runSeconds(0.35);
        ASSERT_TRUE(book::captionLabel->isVisible());
        key("+");
        CCLayerColor* badge = page->getSpeedBadge();
        ASSERT_NE(badge, nullptr);
        EXPECT_TRUE(badge->isVisible());
        auto* text = dynamic_cast<CCLabelTTF*>(child(badge, 0));
        ASSERT_NE(text, nullptr);
        EXPECT_STREQ(text->getString(), "Speed 1.25x");

        auto hidesSomething = [&](const CCPoint& point) {
            for (UIWidget* button : page->getSentenceButtons()) {
                if (button && button->hitTest(point)) {
                    return true;
                }
            }
            const CCPoint inCaption = book::captionLabel->convertToNodeSpace(point);
            if (CCRect(0, 0, book::captionLabel->getContentSize().width, book::captionLabel->getContentSize().height)
                    .containsPoint(inCaption) ||
                book::captionBackground->hitTest(point)) {
                return true;
            }
            CCArray* items = page->getMenu()->getChildren();
            for (unsigned int i = 0; i < items->count(); ++i) {
                auto* item = static_cast<CCMenuItem*>(items->objectAtIndex(i));
                if (item->isVisible() && item->rect().containsPoint(page->getMenu()->convertToNodeSpace(point))) {
                    return true;
                }
            }
            return false;
        };
        const CCRect box = badge->boundingBox();
        for (int i = 0; i <= 10; ++i) {
            for (int j = 0; j <= 4; ++j) {
                const CCPoint point(box.getMinX() + box.size.width * i / 10, box.getMinY() + box.size.height * j / 4);
                EXPECT_FALSE(hidesSomething(point)) << "page " << number << " at " << point.x << ", " << point.y;
            }
        }

        runSeconds(1.4);
        EXPECT_TRUE(badge->isVisible());
        runSeconds(0.6);
        EXPECT_FALSE(badge->isVisible());
        book::narrationSpeed = 1.0f;
    }
}

}  // namespace
}  // namespace lirava::test
