#include <string>
#include <vector>

#include "app/contents/TestController.h"
#include "app/reader/BookState.h"
#include "app/reader/ReaderFixture.h"
#include "engine/actions/CCScheduler.h"
#include "support/SettledObjects.h"

namespace lirava::test {
namespace {

class WholeBookTest : public ReaderFixture {
protected:
    void SetUp() override {
        ReaderFixture::SetUp();
        // A whole book is some 60,000 frames; what is checked here is the reading itself.
        withoutDrawing();
    }

    // From the home screen to the list of unit 1, whose scene empties the image caches as it is
    // made: the live objects just after that, with the caches emptied here as well so that the
    // count does not depend on how much the purge keeps.
    std::size_t objectsOnUnitOneList() {
        click(320, 860);
        stepFrames(2);
        EXPECT_EQ(ScriptDriver::className(CCDirector::sharedDirector()->getRunningScene()), "MenuTestScene");
        return settledObjectCount();
    }
};

TEST_F(WholeBookTest, AutoPlayReadsFromPageTwoToTheEndWithoutLeaking) {
    runScene(TestController::createScene());
    const std::size_t before = objectsOnUnitOneList();
    runSeconds(2.5);  // the list's items slide in

    click(320, 860);  // page 2
    stepFrames(1);
    PageLayer* page = runningPage();
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(book::currentPage, 2);
    click(580, 40);  // play
    ASSERT_TRUE(book::autoPlay);

    std::vector<int> pages = {2};
    std::vector<std::string> classes = {className(page)};
    CCScheduler* scheduler = CCDirector::sharedDirector()->getScheduler();
    const bool finished = runUntil(
        [&] {
            PageLayer* shown = runningPage();
            if (shown && book::currentPage != pages.back()) {
                pages.push_back(book::currentPage);
                classes.push_back(className(shown));
            }
            return shown && book::currentPage == sentence::kLastPage &&
                   !scheduler->isScheduledForTarget(schedule_selector(PageLayer::autoPlayTick), shown);
        },
        3000.0);
    ASSERT_TRUE(finished) << "stopped on page " << book::currentPage;

    ASSERT_EQ(pages.size(), 95u);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(pages[i], static_cast<int>(i) + 2);
        // Auto-play turns the way a TestLayer1 page does, so every page it opens is a TestLayer2.
        EXPECT_EQ(classes[i], i == 0 ? "TestLayer1" : "TestLayer2") << "page " << pages[i];
    }
    // At the end auto-play rests: still on, nothing scheduled, the pause image kept.
    EXPECT_TRUE(book::autoPlay);

    click(60, 30);  // home
    stepFrames(1);
    EXPECT_EQ(ScriptDriver::className(CCDirector::sharedDirector()->getRunningScene()), "CCScene");
    EXPECT_EQ(music(), "");
    EXPECT_EQ(objectsOnUnitOneList(), before);
}

}  // namespace
}  // namespace lirava::test
