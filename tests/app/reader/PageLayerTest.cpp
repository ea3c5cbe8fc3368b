#include <filesystem>

#include "app/reader/BookState.h"
#include "app/reader/ReaderFixture.h"
#include "app/reader/TestLayer2.h"
#include "engine/actions/CCScheduler.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItemFont.h"
#include "engine/menu/CCMenuItemImage.h"
#include "engine/text/CCLabelTTF.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"
#include "support/DocumentFolder.h"

namespace lirava::test {
namespace {

using PageLayerTest = ReaderFixture;

// A page built for a page number, not on stage, with the reference its maker owns.
struct BuiltPage {
    explicit BuiltPage(PageLayer::PageMaker make) : page(make()) {}
    ~BuiltPage() {
        if (page) {
            page->release();
        }
    }
    PageLayer* operator->() const { return page; }
    PageLayer* page;
};

std::string itemLabel(CCMenuItemFont* item) {
    return static_cast<CCLabelTTF*>(item->getLabel())->getString();
}

TEST_F(PageLayerTest, TheTwinsDifferInZOrdersAndLogLines) {
    book::currentPage = 5;
    {
        BuiltPage one(&TestLayer1::createPage);
        EXPECT_EQ(one->getUILayer()->getZOrder(), 0);
        EXPECT_EQ(one->getCaption()->getZOrder(), 10000);
        EXPECT_EQ(one->getMenu()->getZOrder(), 3);
        EXPECT_EQ(one->getUILayer()->getParent(), one.page);
        EXPECT_EQ(one->getCaption()->getParent(), one.page);
    }
    {
        BuiltPage two(&TestLayer2::createPage);
        EXPECT_EQ(two->getUILayer()->getZOrder(), 0);
        EXPECT_EQ(two->getCaption()->getZOrder(), 2);
        EXPECT_EQ(two->getMenu()->getZOrder(), 1);
        EXPECT_EQ(two->getChildren()->objectAtIndex(0), two->getUILayer());
    }

    ::testing::internal::CaptureStdout();
    openPage(5);
    runScene(CCScene::create());
    stepFrames(1);
    std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("Scene 1 onEnter\nScene 1: onEnterTransitionDidFinish\n"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Scene 1: onExitTransitionDidStart\nScene 1 onExit\n"), std::string::npos) << printed;

    ::testing::internal::CaptureStdout();
    BookScene* scene = new BookScene();
    PageLayer* two = TestLayer2::createPage();
    scene->addChild(two);
    two->release();
    runScene(scene);
    scene->release();
    runScene(CCScene::create());
    stepFrames(1);
    printed = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("Scene 2 onEnter\nScene 2: onEnterTransitionDidFinish\n"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Scene 2: onExitTransitionDidStart\nScene 2 onExit\n"), std::string::npos) << printed;
}

TEST_F(PageLayerTest, MenuItemsSitByThePlayItemAndTheSettingsItemStaysHidden) {
    book::currentPage = 5;
    CCMenuItemFont::setFontSize(32);
    BuiltPage page(&TestLayer1::createPage);
    const CCSize play = page->getPlayItem()->getContentSize();
    ASSERT_EQ(play.width, 92);
    ASSERT_EQ(play.height, 92);
    EXPECT_EQ(page->getMenu()->getPosition(), CCPointZero);
    EXPECT_EQ(page->getPreviousItem()->getPosition(), CCPoint(320 - 46, 46 + 6));
    EXPECT_EQ(page->getPlayItem()->getPosition(), CCPoint(580, 40));
    EXPECT_EQ(page->getNextItem()->getPosition(), CCPoint(320 + 46, 46 + 6));
    EXPECT_EQ(page->getMainItem()->getPosition(), CCPoint(60, 30));
    EXPECT_EQ(page->getSettingsItem()->getPosition(), CCPoint(580, 30));
    EXPECT_EQ(itemLabel(page->getMainItem()), "Home");
    EXPECT_EQ(itemLabel(page->getSettingsItem()), "Settings");
    EXPECT_TRUE(page->getMainItem()->getColor() == ccc3(0, 0, 255));
    EXPECT_TRUE(page->getSettingsItem()->getColor() == ccc3(0, 0, 255));
    EXPECT_FALSE(page->getSettingsItem()->isVisible());
    EXPECT_TRUE(page->getPlayItem()->isVisible());

    // The font size is set after both items exist: they keep the one in force before, and every
    // font item made later gets 45.
    EXPECT_EQ(page->getMainItem()->fontSizeObj(), 32u);
    EXPECT_EQ(page->getSettingsItem()->fontSizeObj(), 32u);
    EXPECT_EQ(CCMenuItemFont::fontSize(), 45u);
    BuiltPage next(&TestLayer2::createPage);
    EXPECT_EQ(next->getMainItem()->fontSizeObj(), 45u);

    book::readingMode = ModeManual;
    BuiltPage manual(&TestLayer1::createPage);
    EXPECT_FALSE(manual->getPlayItem()->isVisible());
    EXPECT_TRUE(manual->getPreviousItem()->isVisible());
    EXPECT_TRUE(manual->getNextItem()->isVisible());
    EXPECT_TRUE(manual->getMainItem()->isVisible());
}

TEST_F(PageLayerTest, ThePageStartsWithTheStartCaptionAndAHiddenPlate) {
    book::currentPage = 5;
    book::nextSentence = 7;
    book::activeSentence = UIWidget::create();  // left over from an earlier page
    BuiltPage page(&TestLayer1::createPage);
    CCLabelTTF* caption = page->getCaption();
    EXPECT_EQ(book::captionLabel, caption);
    // The sample book's start text is empty: at the bottom centre it would cover the arrows.
    EXPECT_STREQ(caption->getString(), "");
    EXPECT_EQ(caption->getDimensions(), CCSize(160, 0));
    EXPECT_EQ(caption->getHorizontalAlignment(), kCCTextAlignmentCenter);
    EXPECT_EQ(caption->getPosition(), CCPoint(320, 40));
    EXPECT_TRUE(caption->getColor() == ccc3(0, 0, 255));

    UIButton* plate = page->getPlate();
    EXPECT_EQ(book::captionBackground, plate);
    EXPECT_EQ(plate->getParent(), page->getUILayer()->getRootWidget());
    EXPECT_FALSE(plate->isTouchEnabled());
    EXPECT_TRUE(plate->isScale9Enabled());
    EXPECT_FALSE(plate->isVisible());
    EXPECT_EQ(plate->getPosition(), CCPoint(320, 960));
    EXPECT_EQ(plate->getSize(), CCSize(150, 90));  // 1.5 x the 60-unit plate image

    EXPECT_EQ(book::nextSentence, 1);
    EXPECT_EQ(book::activeSentence, nullptr);
    EXPECT_TRUE(page->isTouchEnabled());
    EXPECT_EQ(page->getTouchMode(), kCCTouchesAllAtOnce);
    EXPECT_EQ(page->getTouchStart(), CCPointZero);
}

TEST_F(PageLayerTest, SentenceButtonsAreFoundByNameTaggedAndGivenTheSentenceLook) {
    book::currentPage = 5;
    BuiltPage five(&TestLayer1::createPage);
    ASSERT_NE(five->getPageRoot(), nullptr);
    EXPECT_EQ(book::lastSentence, 12);
    const auto& buttons = five->getSentenceButtons();
    for (int i = 1; i <= 12; ++i) {
        ASSERT_NE(buttons[i], nullptr) << i;
        EXPECT_EQ(buttons[i]->getName(), sentence::buttonName(5, i));
        EXPECT_EQ(buttons[i]->getActionTag(), i < 10 ? 50 + i : 500 + i);
        UIButton* button = dynamic_cast<UIButton*>(buttons[i]);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->getNormalTextureSize(), CCSize(80, 40));
        EXPECT_EQ(button->getPressedTextureSize(), CCSize(80, 40));
        EXPECT_EQ(button->getOpacity(), 255);
    }

    book::currentPage = 9;
    BuiltPage nine(&TestLayer2::createPage);
    EXPECT_EQ(book::lastSentence, 3);
    EXPECT_NE(nine->getSentenceButtons()[1], nullptr);
    EXPECT_EQ(nine->getSentenceButtons()[2], nullptr);
    EXPECT_NE(nine->getSentenceButtons()[3], nullptr);

    // A page without sentences keeps the count of the page before.
    book::currentPage = 44;
    BuiltPage opener(&TestLayer1::createPage);
    EXPECT_NE(opener->getPageRoot(), nullptr);
    EXPECT_EQ(book::lastSentence, 3);

    // Word cards keep the pictures their document gives them.
    book::currentPage = 91;
    BuiltPage words(&TestLayer1::createPage);
    UIButton* card = dynamic_cast<UIButton*>(words->getSentenceButtons()[1]);
    ASSERT_NE(card, nullptr);
    EXPECT_NE(card->getNormalTextureSize(), CCSize(80, 40));
    EXPECT_GT(card->getNormalTextureSize().width, 0);
}

TEST_F(PageLayerTest, AutoPlayResumesOnlyInTheAutoTurnMode) {
    CCScheduler* scheduler = CCDirector::sharedDirector()->getScheduler();
    const SEL_SCHEDULE tick = schedule_selector(PageLayer::autoPlayTick);
    book::currentPage = 5;
    book::autoPlay = true;

    ::testing::internal::CaptureStdout();
    BuiltPage one(&TestLayer1::createPage);
    BuiltPage two(&TestLayer2::createPage);
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "---------------------------------0000000000000\n");
    EXPECT_TRUE(book::autoPlay);
    EXPECT_TRUE(scheduler->isScheduledForTarget(tick, one.page));
    EXPECT_TRUE(scheduler->isScheduledForTarget(tick, two.page));
    CCTexture2D* pause = static_cast<CCSprite*>(CCSprite::create("Images/pause_btn.png"))->getTexture();
    EXPECT_EQ(static_cast<CCSprite*>(one->getPlayItem()->getNormalImage())->getTexture(), pause);

    book::readingMode = ModeRepeatPage;
    BuiltPage repeat(&TestLayer1::createPage);
    EXPECT_FALSE(book::autoPlay);
    EXPECT_FALSE(scheduler->isScheduledForTarget(tick, repeat.page));
    CCTexture2D* play = static_cast<CCSprite*>(CCSprite::create("Images/play_btn.png"))->getTexture();
    EXPECT_EQ(static_cast<CCSprite*>(repeat->getPlayItem()->getNormalImage())->getTexture(), play);
}

TEST_F(PageLayerTest, BuildingAPageStopsTheNarration) {
    SimpleAudioEngine::sharedEngine()->playBackgroundMusic(narrationOf(5, 1).c_str());
    ASSERT_EQ(music(), narrationOf(5, 1));
    book::currentPage = 6;
    BuiltPage page(&TestLayer2::createPage);
    EXPECT_EQ(music(), "");
}

TEST_F(PageLayerTest, APageWithoutADocumentStillShowsItsItemsAndTurns) {
    PageLayer* page = openPage(1);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->getPageRoot(), nullptr);
    EXPECT_EQ(page->getUILayer()->getRootWidget()->getChildren()->count(), 1u);  // the plate alone
    EXPECT_NE(page->getMainItem(), nullptr);
    click(366, 52);  // next
    runSeconds(0.6);
    EXPECT_EQ(book::currentPage, 2);
    ASSERT_NE(runningPage(), nullptr);
    EXPECT_NE(runningPage()->getPageRoot(), nullptr);
}

TEST_F(PageLayerTest, MissingStringsFallBackToPlainLabels) {
    DocumentFolder folder;
    folder.write("String.xml",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                 "<key>main_page</key><string></string></dict></plist>\n");
    std::filesystem::create_directory_symlink(LIRAVA_SOURCE_DIR "/book/Images", folder.path() + "/Images");
    std::filesystem::create_directory_symlink(LIRAVA_SOURCE_DIR "/book/english5down", folder.path() + "/english5down");
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const std::string bookRoot = files->getResourceRoot();
    files->setResourceRoot(folder.path());

    book::currentPage = 5;
    {
        BuiltPage page(&TestLayer1::createPage);
        EXPECT_EQ(itemLabel(page->getMainItem()), "Home");
        EXPECT_EQ(itemLabel(page->getSettingsItem()), "Settings");
        EXPECT_GT(page->getMainItem()->getContentSize().width, 0);
        EXPECT_STREQ(page->getCaption()->getString(), "");
        EXPECT_EQ(book::lastSentence, 12);
    }
    // A book's start text is the caption until a sentence is read.
    folder.write("String.xml",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                 "<key>bntext</key><string>Touch one.</string></dict></plist>\n");
    {
        BuiltPage page(&TestLayer1::createPage);
        EXPECT_STREQ(page->getCaption()->getString(), "Touch one.");
    }
    files->setResourceRoot(bookRoot);
}

TEST_F(PageLayerTest, AWidgetOfAnotherClassUnderASentenceNameIsReadWithoutTheSentenceLook) {
    DocumentFolder folder;
    folder.write("english5down/english5down_5.json",
                 R"({"widgetTree": {"classname": "Panel", "options": {"name": "page5", "width": 640, "height": 960},
                     "children": [{"classname": "ImageView", "options": {"name": "bn051", "touchAble": true}},
                                  {"classname": "Button", "options": {"name": "bn052", "touchAble": true}}]}})");
    std::filesystem::create_directory_symlink(LIRAVA_SOURCE_DIR "/book/Images", folder.path() + "/Images");
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const std::string bookRoot = files->getResourceRoot();
    files->setResourceRoot(folder.path());

    book::currentPage = 5;
    {
        BuiltPage page(&TestLayer1::createPage);
        EXPECT_EQ(book::lastSentence, 2);
        UIWidget* picture = page->getSentenceButtons()[1];
        ASSERT_NE(picture, nullptr);
        EXPECT_STREQ(picture->getTypeName(), "ImageView");
        EXPECT_EQ(picture->getActionTag(), 51);
        EXPECT_EQ(dynamic_cast<UIButton*>(page->getSentenceButtons()[2])->getNormalTextureSize(), CCSize(80, 40));
    }
    files->setResourceRoot(bookRoot);
}

TEST_F(PageLayerTest, AGonePageLeavesNoPointersInTheBookState) {
    book::currentPage = 5;
    PageLayer* older = TestLayer1::createPage();
    PageLayer* newer = TestLayer2::createPage();
    older->release();
    EXPECT_EQ(book::captionLabel, newer->getCaption());
    EXPECT_EQ(book::captionBackground, newer->getPlate());

    book::activeSentence = newer->getSentenceButtons()[2];
    newer->release();
    EXPECT_EQ(book::captionLabel, nullptr);
    EXPECT_EQ(book::captionBackground, nullptr);
    EXPECT_EQ(book::activeSentence, nullptr);
}

}  // namespace
}  // namespace lirava::test
