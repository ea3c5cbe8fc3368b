#include "app/AppFixture.h"
#include "app/contents/MenuLayerMainMenu.h"
#include "app/contents/TestController.h"
#include "app/reader/TestLayer1.h"
#include "app/shell/BookScene.h"
#include "app/shell/MenuTestScene.h"
#include "engine/menu/CCMenu.h"

namespace lirava::test {
namespace {

class PageListTest : public AppFixture {
protected:
    // Opens the unit's list the way the home screen does.
    MenuLayerMainMenu* showUnit(int unit) {
        contents::currentUnit = unit;
        runScene(CCScene::create());
        MenuTestScene* scene = new MenuTestScene();
        scene->start();
        scene->release();
        stepFrames(1);
        return runningChild<MenuLayerMainMenu>();
    }

    // A few frames beyond the entrance, so rounding in the summed frame times cannot leave an
    // item a hair short of its place.
    void settle() { stepFrames(static_cast<int>(MenuLayerMainMenu::kEntranceSeconds * 60) + 5); }
};

TEST_F(PageListTest, UnitOneListsItsTwelvePagesInRows) {
    MenuLayerMainMenu* list = showUnit(0);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(contents::unitFirstPage, 2);
    EXPECT_EQ(contents::unitLastPage, 13);
    EXPECT_EQ(contents::unitPageCount, 12);
    CCMenu* menu = list->getMenu();
    ASSERT_EQ(menu->getChildrenCount(), 12u);
    EXPECT_EQ(menu->getContentSize(), CCSize(640, 1300));
    settle();
    for (unsigned int i = 0; i < 12; ++i) {
        CCNode* item = child(menu, i);
        EXPECT_EQ(itemText(item), "Page " + std::to_string(2 + i) + " ");
        EXPECT_EQ(item->getZOrder(), 10000 + static_cast<int>(i));
        EXPECT_FLOAT_EQ(item->getPositionX(), 320.0f);
        EXPECT_FLOAT_EQ(item->getPositionY(), 860.0f - 100.0f * i);
    }
}

TEST_F(PageListTest, ItemsSlideInFromAlternateSides) {
    contents::currentUnit = 3;
    MenuLayerMainMenu* list = MenuLayerMainMenu::create();
    CCMenu* menu = list->getMenu();
    ASSERT_EQ(menu->getChildrenCount(), 6u);
    for (unsigned int i = 0; i < 6; ++i) {
        EXPECT_FLOAT_EQ(child(menu, i)->getPositionX(), i % 2 == 0 ? -50.0f : 690.0f) << "item " << i;
    }

    CCScene* scene = CCScene::create();
    scene->addChild(list);
    runScene(scene);
    stepFrames(30);
    // Half-way the elastic ending has already overshot its place.
    EXPECT_GT(child(menu, 0)->getPositionX(), 300.0f);
    EXPECT_LT(child(menu, 1)->getPositionX(), 340.0f);
    settle();
    for (unsigned int i = 0; i < 6; ++i) {
        EXPECT_FLOAT_EQ(child(menu, i)->getPositionX(), 320.0f);
    }
}

TEST_F(PageListTest, ChoosingAPageSetsItAndOpensThePageScene) {
    showUnit(0);
    settle();
    testing::internal::CaptureStdout();
    click(320, 460);  // the fifth item
    stepFrames(1);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(book::currentPage, 6);
    EXPECT_NE(dynamic_cast<BookScene*>(CCDirector::sharedDirector()->getRunningScene()), nullptr);
    EXPECT_NE(runningChild<TestLayer1>(), nullptr);
    EXPECT_NE(log.find("Scene 1 onEnter\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Scene 1: onEnterTransitionDidFinish\n"), std::string::npos) << log;

    // The page's main-page item leads home, and the page says goodbye on its way out.
    testing::internal::CaptureStdout();
    click(60, 30);
    const std::string exitLog = testing::internal::GetCapturedStdout();
    EXPECT_NE(exitLog.find("Scene 1: onExitTransitionDidStart\nScene 1 onExit\n"), std::string::npos) << exitLog;
    EXPECT_NE(runningChild<TestController>(), nullptr);
}

TEST_F(PageListTest, WordListShowsSixEntriesOpeningTheirPages) {
    MenuLayerMainMenu* list = showUnit(8);
    CCMenu* menu = list->getMenu();
    ASSERT_EQ(menu->getChildrenCount(), 6u);
    // Sized from the unit's ten pages although six entries show.
    EXPECT_EQ(menu->getContentSize(), CCSize(640, 1100));
    const int pages[] = {86, 88, 90, 92, 93, 94};
    for (unsigned int k = 0; k < 6; ++k) {
        EXPECT_EQ(itemText(child(menu, k)), "Words " + std::to_string(k + 1) + " ");
        EXPECT_EQ(child(menu, k)->getZOrder() - 10000 + contents::unitFirstPage, pages[k]);
    }
    list->onPageChosen(child(menu, 3));
    EXPECT_EQ(book::currentPage, 92);
    list->onPageChosen(child(menu, 5));
    EXPECT_EQ(book::currentPage, 94);
}

TEST_F(PageListTest, TwelvePageListScrollsBetweenZeroAndThreeHundredForty) {
    MenuLayerMainMenu* list = showUnit(1);
    EXPECT_FLOAT_EQ(list->dragBound(), 340.0f);
    CCMenu* menu = list->getMenu();
    press(60, 100);
    moveTo(60, 400);
    EXPECT_EQ(menu->getPosition(), CCPoint(0, 300));
    moveTo(60, 500);
    EXPECT_EQ(menu->getPosition(), CCPoint(0, 340));
    EXPECT_EQ(contents::pageMenuOffset, CCPoint(0, 300));
    moveTo(60, 0);
    EXPECT_EQ(menu->getPosition(), CCPointZero);
    // Pinned drags leave the start point where the last accepted one left it (at 400).
    moveTo(60, 650);
    EXPECT_EQ(menu->getPosition(), CCPoint(0, 250));
    release(60, 650);

    // Every unit's list opens at the offset the last accepted drag left.
    MenuLayerMainMenu* other = showUnit(5);
    EXPECT_EQ(other->getMenu()->getPosition(), CCPoint(0, 250));
}

TEST_F(PageListTest, SixItemListPinsBelowZeroOnAnyUpwardDrag) {
    for (int unit : {3, 7, 8}) {
        MenuLayerMainMenu* list = showUnit(unit);
        EXPECT_FLOAT_EQ(list->dragBound(), -260.0f) << "unit " << unit;
        CCMenu* menu = list->getMenu();
        press(60, 100);
        moveTo(60, 105);
        EXPECT_EQ(menu->getPosition(), CCPoint(0, -260)) << "unit " << unit;
        moveTo(60, 300);
        EXPECT_EQ(menu->getPosition(), CCPointZero) << "unit " << unit;
        EXPECT_EQ(contents::pageMenuOffset, CCPointZero);
        release(60, 300);
    }
}

TEST_F(PageListTest, AUnitOutsideTheTableListsUnitOne) {
    MenuLayerMainMenu* list = showUnit(42);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(contents::unitFirstPage, 2);
    EXPECT_EQ(list->getMenu()->getChildrenCount(), 12u);
}

}  // namespace
}  // namespace lirava::test
