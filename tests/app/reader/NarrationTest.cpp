#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/reader/BookState.h"
#include "app/reader/ReaderFixture.h"
#include "app/reader/TestLayer2.h"
#include "engine/actions/CCScheduler.h"
#include "engine/menu/CCMenuItemImage.h"
#include "engine/nodes/CCSprite.h"
#include "engine/text/CCLabelTTF.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UIButton.h"
#include "support/DocumentFolder.h"

namespace lirava::test {
namespace {

class NarrationTest : public ReaderFixture {
protected:
    UIWidget* sentenceButton(int index) { return runningPage()->getSentenceButtons()[index]; }

    bool isScheduled(SEL_SCHEDULE selector) {
        return CCDirector::sharedDirector()->getScheduler()->isScheduledForTarget(selector, runningPage());
    }

    // When each track started, in order, while frames run for the given time.
    struct Start {
        std::string track;
        double time;
    };
    std::vector<Start> recordStarts(double seconds, const std::function<bool()>& stop = nullptr) {
        std::vector<Start> starts;
        std::string playing = music();
        runUntil(
            [&] {
                const std::string now = music();
                if (now != playing && !now.empty()) {
                    starts.push_back({now, ReaderFixture::now()});
                }
                playing = now;
                return stop && stop();
            },
            seconds);
        return starts;
    }

    static CCTexture2D* textureOf(CCNode* node) {
        CCSprite* sprite = dynamic_cast<CCSprite*>(node);
        return sprite ? sprite->getTexture() : nullptr;
    }
    static CCTexture2D* imageTexture(const char* file) { return CCSprite::create(file)->getTexture(); }

    // Where the caption must go for a button, by the page layer's placement rule, on the
    // 640 x 960 screen.
    struct Placement {
        CCPoint label;
        CCPoint plate;
        CCSize plateSize;
    };
    static Placement expectedPlacement(UIWidget* button, const CCSize& captionSize) {
        const CCPoint p = button->getPosition();
        const float sx = std::fabs(button->getScaleX());
        const float sy = std::fabs(button->getScaleY());
        const CCSize image = button->getRendererSize();
        const float half = sx * image.width / 2;
        const float cx = 320 + p.x;
        const float x = half > cx ? half : cx > 640 - half ? 640 - half : cx;
        const float cy = 480 + p.y;
        const float lh = captionSize.height;
        Placement placement;
        if (cy > 480) {
            const float y =
                sy < 1.4f ? cy - (sy * image.height * 0.5f + lh * 0.5f) : cy - (sy * image.height * 6 / 11 + lh * 0.5f);
            placement.label = CCPoint(x, y);
            placement.plate = CCPoint(x, y - 12);
        } else {
            const float y = cy + sy * image.height * 0.5f + lh * 3 / 5;
            placement.label = CCPoint(x, y);
            placement.plate = CCPoint(x, y + 12);
        }
        placement.plateSize = CCSize(captionSize.width, lh + 24);
        return placement;
    }

    void expectPlacedBy(UIWidget* button) {
        const Placement expected = expectedPlacement(button, book::captionLabel->getContentSize());
        EXPECT_NEAR(book::captionLabel->getPositionX(), expected.label.x, 1e-3);
        EXPECT_NEAR(book::captionLabel->getPositionY(), expected.label.y, 1e-3);
        EXPECT_NEAR(book::captionBackground->getPosition().x, expected.plate.x, 1e-3);
        EXPECT_NEAR(book::captionBackground->getPosition().y, expected.plate.y, 1e-3);
        EXPECT_EQ(book::captionBackground->getSize(), expected.plateSize);
        EXPECT_EQ(book::captionLabel->getDimensions(),
                  CCSize(std::fabs(button->getScaleX()) * button->getRendererSize().width, 0));
    }
};

TEST_F(NarrationTest, TouchingASentenceHighlightsItCaptionsItAndReadsIt) {
    openPage(5);
    UIWidget* first = sentenceButton(1);
    ::testing::internal::CaptureStdout();
    touch(first);
    const std::string printed = ::testing::internal::GetCapturedStdout();

    EXPECT_EQ(book::activeSentence, first);
    EXPECT_TRUE(first->isFocused());
    EXPECT_EQ(book::nextSentence, 2);
    EXPECT_EQ(music(), "epc/6f1eea6c799be33b03db06daa017a7a2.mp3");  // MD5 of "mc051.mp3"
    EXPECT_NE(printed.find("Scene 1: onEnterTransitionDidFinish\n"), std::string::npos);

    // The button sits at (0, 405) in the centred sentence panel, scaled 3.175 x 0.8, with the
    // 80 x 40 sentence image: in the upper half, so the one-line caption goes just below it.
    EXPECT_STREQ(book::captionLabel->getString(), "Good morning, Pip!");
    EXPECT_EQ(book::captionLabel->getContentSize(), CCSize(254, 26));
    EXPECT_NEAR(book::captionLabel->getPositionY(), 856, 1e-3);
    EXPECT_NEAR(book::captionBackground->getPosition().y, 844, 1e-3);
    EXPECT_EQ(book::captionBackground->getSize(), CCSize(254, 50));
    expectPlacedBy(first);

    // The watcher shows caption and plate while the track plays.
    runSeconds(0.35);
    EXPECT_TRUE(book::captionLabel->isVisible());
    EXPECT_TRUE(book::captionBackground->isVisible());

    // Below the middle the caption goes above the button.
    UIWidget* last = sentenceButton(12);
    touch(last);
    ASSERT_LT(last->getPosition().y, 0);
    EXPECT_FALSE(first->isFocused());
    EXPECT_TRUE(last->isFocused());
    EXPECT_EQ(book::nextSentence, 13);
    EXPECT_EQ(music(), narrationOf(5, 12));
    EXPECT_STREQ(book::captionLabel->getString(), "Now I am ready!");
    expectPlacedBy(last);
}

TEST_F(NarrationTest, CaptionsStayInsideTheScreenAndMakeRoomForTallButtons) {
    openPage(5);
    UIButton* button = UIButton::create();
    button->loadTextureNormal("Images/bnren1.png");
    runningPage()->getPageRoot()->addChild(button);

    const struct {
        CCPoint position;
        float scaleX, scaleY;
    } cases[] = {
        {CCPoint(10, 100), 3.0f, 1.0f},     // sticks out on the left
        {CCPoint(630, 100), 3.0f, 1.0f},    // and on the right
        {CCPoint(320, 700), 1.0f, 2.0f},    // tall, in the upper half
        {CCPoint(320, 200), 1.0f, 2.0f},    // tall, in the lower half
        {CCPoint(320, 480), -2.0f, -1.0f},  // flipped, exactly in the middle: above
    };
    for (const auto& c : cases) {
        // The page root is the full screen at the origin; the rule takes positions from the centre.
        button->setPosition(c.position - CCPoint(320, 480));
        button->setScaleX(c.scaleX);
        button->setScaleY(c.scaleY);
        runningPage()->placeCaption(button, "A caption that wraps onto a second line here");
        expectPlacedBy(button);
    }
    button->setPosition(CCPoint(10, 100) - CCPoint(320, 480));
    button->setScaleX(3.0f);
    runningPage()->placeCaption(button, "x");
    EXPECT_EQ(book::captionLabel->getPositionX(), 120);
}

TEST_F(NarrationTest, TouchingTheSentenceBeingReadDoesNotStartItOver) {
    openPage(5);
    UIWidget* first = sentenceButton(1);
    const double length = trackSeconds(narrationOf(5, 1));
    ASSERT_GT(length, 0.5);
    touch(first);
    const double started = now();
    runSeconds(0.4);
    touch(first);
    EXPECT_TRUE(first->isFocused());
    EXPECT_EQ(music(), narrationOf(5, 1));
    ASSERT_TRUE(runUntil([] { return music().empty(); }, length));
    EXPECT_NEAR(now() - started, length, 2.0 / 60);  // the first reading ran to its end

    // Once it has ended, touching it reads it again.
    touch(first);
    EXPECT_EQ(music(), narrationOf(5, 1));
    EXPECT_TRUE(first->isFocused());
}

TEST_F(NarrationTest, TheCaptionGoesWhenTheNarrationEnds) {
    openPage(5);
    touch(sentenceButton(2));
    ASSERT_TRUE(runUntil([] { return music().empty(); }, 10));
    runSeconds(0.35);
    EXPECT_FALSE(book::captionLabel->isVisible());
    EXPECT_FALSE(book::captionBackground->isVisible());
    EXPECT_FALSE(isScheduled(schedule_selector(PageLayer::watchCaption)));
    EXPECT_TRUE(sentenceButton(2)->isFocused());  // the highlight stays
}

TEST_F(NarrationTest, ASentenceWithoutCaptionIsReadWithAnEmptyPlate) {
    openPage(7);
    UIWidget* second = sentenceButton(2);
    ASSERT_NE(second, nullptr);
    touch(second);
    EXPECT_EQ(book::activeSentence, second);
    EXPECT_STREQ(book::captionLabel->getString(), "");
    EXPECT_EQ(book::captionBackground->getSize(), CCSizeZero);
    EXPECT_EQ(music(), narrationOf(7, 2));
    EXPECT_FALSE(isScheduled(schedule_selector(PageLayer::watchCaption)));
}

TEST_F(NarrationTest, OverlongCaptionsAreHiddenAndTheTableIsReadForEverySentence) {
    DocumentFolder folder;
    for (const auto& entry : std::filesystem::directory_iterator(LIRAVA_SOURCE_DIR "/book")) {
        if (entry.path().filename() != "Stringstr.xml") {
            std::filesystem::create_symlink(entry.path(), folder.path() + "/" + entry.path().filename().string());
        }
    }
    auto writeTable = [&](const std::string& first, const std::string& second) {
        folder.write("Stringstr.xml",
                     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                     "<key>str051</key><string>" +
                         first +
                         "</string>"
                         "<key>str052</key><string>" +
                         second + "</string></dict></plist>\n");
    };
    writeTable(std::string(1600, 'a'), std::string(1599, 'b'));
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const std::string bookRoot = files->getResourceRoot();
    files->setResourceRoot(folder.path());

    openPage(5);
    touch(sentenceButton(2));
    EXPECT_EQ(std::string(book::captionLabel->getString()).size(), 1599u);
    runSeconds(0.35);
    EXPECT_TRUE(book::captionLabel->isVisible());

    touch(sentenceButton(1));
    EXPECT_STREQ(book::captionLabel->getString(), "");
    EXPECT_FALSE(book::captionLabel->isVisible());
    EXPECT_FALSE(book::captionBackground->isVisible());
    EXPECT_EQ(music(), narrationOf(5, 1));

    writeTable("Changed while the page is open.", "");
    touch(sentenceButton(2));
    touch(sentenceButton(1));
    EXPECT_STREQ(book::captionLabel->getString(), "Changed while the page is open.");
    files->setResourceRoot(bookRoot);
}

TEST_F(NarrationTest, AutoPlayLeavesAPauseBeatAfterEverySentenceAndTurnsThePage) {
    withoutDrawing();
    openPage(5);
    click(580, 40);  // play
    ASSERT_TRUE(book::autoPlay);
    EXPECT_EQ(textureOf(runningPage()->getPlayItem()->getNormalImage()), imageTexture("Images/pause_btn.png"));

    const std::vector<Start> starts = recordStarts(120, [] { return book::currentPage == 6; });
    ASSERT_EQ(book::currentPage, 6);
    ASSERT_EQ(starts.size(), 12u);
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(starts[i - 1].track, narrationOf(5, i));
    }
    // A track of t seconds is noticed at the first 0.5 s tick after it ends; one silent tick
    // later the next sentence starts.
    for (int i = 1; i < 12; ++i) {
        const double t = trackSeconds(narrationOf(5, i));
        const double gap = starts[i].time - starts[i - 1].time;
        EXPECT_GE(gap, t + 0.5 - 1e-6) << "after sentence " << i;
        EXPECT_LE(gap, t + 1.0 + 1e-6) << "after sentence " << i;
    }

    // Auto-play reads on the new page, whichever twin it is.
    runSeconds(1.5);
    ASSERT_NE(runningPage(), nullptr);
    EXPECT_EQ(className(runningPage()), "TestLayer2");
    EXPECT_TRUE(book::autoPlay);
    EXPECT_EQ(music(), narrationOf(6, 1));
}

TEST_F(NarrationTest, AutoPlayKeepsItsRhythmAtAnyNarrationSpeed) {
    withoutDrawing();
    for (const float speed : {0.5f, 1.5f}) {
        book::autoPlay = false;
        book::narrationSpeed = speed;
        openPage(8);
        click(580, 40);
        // When each track starts and ends, until the page turns.
        struct Span {
            std::string track;
            double start;
            double end;
        };
        std::vector<Span> spans;
        std::string playing;
        ASSERT_TRUE(runUntil(
            [&] {
                const std::string track = music();
                if (track != playing) {
                    if (!playing.empty()) {
                        spans.back().end = now();
                    }
                    if (!track.empty()) {
                        spans.push_back({track, now(), -1.0});
                    }
                    playing = track;
                }
                return book::currentPage == 9;
            },
            60));
        const double turned = now();
        ASSERT_EQ(spans.size(), 3u) << speed;
        for (int i = 0; i < 3; ++i) {
            const Span& span = spans[static_cast<std::size_t>(i)];
            EXPECT_EQ(span.track, narrationOf(8, i + 1));
            EXPECT_NEAR(span.end - span.start, trackSeconds(span.track) / speed, 1.0 / 60) << speed << " " << i;
            // The tick notices the end within 0.5 s, one silent tick later the next sentence
            // starts, or the page turns.
            const double next = i < 2 ? spans[static_cast<std::size_t>(i) + 1].start : turned;
            EXPECT_GE(next - span.end, 0.5 - 1.0 / 60) << speed << " " << i;
            EXPECT_LE(next - span.end, 1.0 + 1.0 / 60) << speed << " " << i;
        }
    }
}

TEST_F(NarrationTest, AutoPlayGoesOnAfterTheSentenceTouchedLast) {
    withoutDrawing();
    openPage(5);
    click(580, 40);
    ASSERT_TRUE(runUntil([] { return music() == narrationOf(5, 1); }, 1));
    touch(sentenceButton(4));
    EXPECT_EQ(book::nextSentence, 5);
    const std::vector<Start> starts = recordStarts(10, [] { return music() == narrationOf(5, 5); });
    ASSERT_FALSE(starts.empty());
    EXPECT_EQ(starts.front().track, narrationOf(5, 5));
}

TEST_F(NarrationTest, AutoPlayNarratesAGapWithoutHighlightOrCaption) {
    withoutDrawing();
    openPage(9);
    click(580, 40);
    ASSERT_TRUE(runUntil([] { return book::nextSentence == 2 && !music().empty(); }, 2));
    EXPECT_EQ(book::activeSentence, sentenceButton(1));
    const std::string firstCaption = book::captionLabel->getString();
    EXPECT_EQ(firstCaption, "Hello! I am Lulu.");

    // Sentence 2 is missing from the page (and has no track): nothing is highlighted, the
    // caption stays, and a second later sentence 3 is read.
    ASSERT_TRUE(runUntil([] { return book::nextSentence == 3; }, 10));
    EXPECT_EQ(book::activeSentence, nullptr);
    EXPECT_FALSE(sentenceButton(1)->isFocused());
    EXPECT_EQ(music(), "");
    EXPECT_EQ(book::captionLabel->getString(), firstCaption);
    const double silent = now();
    ASSERT_TRUE(runUntil([] { return book::nextSentence == 4; }, 2));
    EXPECT_NEAR(now() - silent, 1.0, 1e-6);
    EXPECT_EQ(book::activeSentence, sentenceButton(3));
    EXPECT_EQ(music(), narrationOf(9, 3));
}

TEST_F(NarrationTest, TheRepeatModeReadsThePageOverAndOver) {
    withoutDrawing();
    book::readingMode = ModeRepeatPage;
    openPage(2);
    click(580, 40);
    const std::vector<Start> starts = recordStarts(60, [&] { return false; });
    ASSERT_GE(starts.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(starts[i].track, narrationOf(2, static_cast<int>(i % 2) + 1)) << i;
    }
    EXPECT_EQ(book::currentPage, 2);
}

TEST_F(NarrationTest, TheManualModeIdlesAtTheEndOfThePage) {
    withoutDrawing();
    book::readingMode = ModeManual;
    openPage(2);
    // The item is hidden in this mode; its callback still switches auto-play on.
    runningPage()->togglePlay(runningPage()->getPlayItem());
    const std::vector<Start> starts = recordStarts(30);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(book::currentPage, 2);
    EXPECT_TRUE(isScheduled(schedule_selector(PageLayer::autoPlayTick)));
}

TEST_F(NarrationTest, OnTheLastPageAutoPlayRestsUntilSwitchedOff) {
    withoutDrawing();
    openPage(96);
    click(580, 40);
    ASSERT_TRUE(runUntil([] { return book::nextSentence > book::lastSentence && music().empty(); }, 60));
    runSeconds(1.5);
    EXPECT_EQ(book::currentPage, 96);
    EXPECT_EQ(className(runningPage()), "TestLayer1");
    EXPECT_TRUE(book::autoPlay);
    EXPECT_FALSE(isScheduled(schedule_selector(PageLayer::autoPlayTick)));
    EXPECT_EQ(textureOf(runningPage()->getPlayItem()->getNormalImage()), imageTexture("Images/pause_btn.png"));
    click(580, 40);
    EXPECT_FALSE(book::autoPlay);
}

TEST_F(NarrationTest, SwitchingAutoPlayOffStopsTheNarrationButKeepsTheHighlight) {
    openPage(5);
    click(580, 40);
    ASSERT_TRUE(runUntil([] { return !music().empty(); }, 1));
    UIWidget* reading = book::activeSentence;
    ASSERT_NE(reading, nullptr);
    click(580, 40);
    EXPECT_FALSE(book::autoPlay);
    EXPECT_EQ(music(), "");
    EXPECT_TRUE(reading->isFocused());
    EXPECT_FALSE(isScheduled(schedule_selector(PageLayer::autoPlayTick)));
    EXPECT_EQ(textureOf(runningPage()->getPlayItem()->getNormalImage()), imageTexture("Images/play_btn.png"));
    runSeconds(0.35);
    EXPECT_FALSE(book::captionLabel->isVisible());

    runningPage()->togglePlay(nullptr);  // no sender, no change
    EXPECT_FALSE(book::autoPlay);
}

TEST_F(NarrationTest, OnlyTheFirstTwinLogsAPlacedCaption) {
    book::currentPage = 5;
    BookScene* scene = new BookScene();
    PageLayer* page = TestLayer2::createPage();
    scene->addChild(page);
    page->release();
    runScene(scene);
    scene->release();
    ::testing::internal::CaptureStdout();
    touch(sentenceButton(1));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(music(), narrationOf(5, 1));
}

}  // namespace
}  // namespace lirava::test
