#include <string>

#include "app/AppFixture.h"
#include "app/contents/KeyScroll.h"
#include "app/contents/MenuLayerMainMenu.h"
#include "app/contents/TestController.h"
#include "app/reader/PageLayer.h"
#include "app/shell/MenuKeys.h"
#include "app/shell/MenuTestScene.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItemImage.h"
#include "engine/platform/KeyInput.h"

namespace lirava::test {
namespace {

TEST(KeyScroll, StaysWithinTheDragBoundsAndLeavesShortListsAtRest) {
    EXPECT_FLOAT_EQ(contents::keyScrollTarget(0, 100, 340), 100);
    EXPECT_FLOAT_EQ(contents::keyScrollTarget(300, 100, 340), 340);
    EXPECT_FLOAT_EQ(contents::keyScrollTarget(40, -100, 340), 0);
    EXPECT_FLOAT_EQ(contents::keyScrollTarget(0, 100, 40), 40);
    // Six items: the bound is -260. A drag pins the list there; a key never takes it there and
    // brings a pinned list back to rest.
    EXPECT_FLOAT_EQ(contents::keyScrollTarget(0, 100, -260), 0);
    EXPECT_FLOAT_EQ(contents::keyScrollTarget(-260, 100, -260), 0);
    EXPECT_FLOAT_EQ(contents::keyScrollTarget(-260, -100, -260), 0);
}

class ContentsKeysTest : public AppFixture {
protected:
    void key(const std::string& name) {
        dispatchKeyPress(name, false);
        stepFrames(1);
        dispatchKeyRelease(name);
        stepFrames(1);
    }

    TestController* showHome() {
        runScene(TestController::createScene());
        return runningChild<TestController>();
    }

    MenuLayerMainMenu* showUnit(int unit) {
        contents::currentUnit = unit;
        runScene(CCScene::create());
        MenuTestScene* scene = new MenuTestScene();
        scene->start();
        scene->release();
        stepFrames(1);
        return runningChild<MenuLayerMainMenu>();
    }
};

TEST_F(ContentsKeysTest, ReturnChoosesTheRowNearestTheCentreWhereverTheMenuIs) {
    TestController* home = showHome();
    CCMenu* menu = home->getUnitMenu();
    // Rows at 860 - 100 i: "Unit 4" (i = 4) sits at 460, 20 below the centre.
    EXPECT_EQ(menukeys::itemAtCentre(menu), child(menu, 4));
    menu->setPosition(CCPoint(0, 40));
    EXPECT_EQ(menukeys::itemAtCentre(menu), child(menu, 4));  // 500 against 600
    // Hidden and disabled items are out of reach, as they are for a click.
    menu->setPosition(CCPoint(0, 20));
    static_cast<CCNode*>(child(menu, 4))->setVisible(false);
    EXPECT_EQ(menukeys::itemAtCentre(menu), child(menu, 3));  // 580 and 380: the first
    static_cast<CCMenuItem*>(child(menu, 3))->setEnabled(false);
    EXPECT_EQ(menukeys::itemAtCentre(menu), child(menu, 5));
    EXPECT_EQ(menukeys::itemAtCentre(nullptr), nullptr);
    EXPECT_EQ(menukeys::itemAtCentre(CCMenu::create()), nullptr);
}

TEST_F(ContentsKeysTest, ReturnOnTheHomeScreenOnlyDismissesTheHintLikeAClick) {
    TestController* home = showHome();
    home->getDragHint()->setVisible(true);
    key("Return");
    EXPECT_FALSE(home->getDragHint()->isVisible());
    EXPECT_EQ(runningChild<TestController>(), home);

    key("Keypad Enter");
    EXPECT_EQ(contents::currentUnit, 4);
    EXPECT_NE(runningChild<MenuLayerMainMenu>(), nullptr);
}

TEST_F(ContentsKeysTest, ArrowsScrollTheHomeMenuAndComingBackKeepsTheOffset) {
    TestController* home = showHome();
    key("Down");
    EXPECT_EQ(home->getUnitMenu()->getPosition(), CCPoint(0, 40));
    EXPECT_EQ(contents::homeMenuOffset, CCPoint(0, 40));
    key("Left");  // not a key of this screen
    key("Space");
    EXPECT_EQ(home->getUnitMenu()->getPosition(), CCPoint(0, 40));

    runScene(TestController::createScene());
    EXPECT_EQ(runningChild<TestController>()->getUnitMenu()->getPosition(), CCPoint(0, 40));
}

TEST_F(ContentsKeysTest, PageListsScrollByRowsAndShortListsStayPut) {
    MenuLayerMainMenu* list = showUnit(0);
    for (int i = 0; i < 5; ++i) {
        key("Down");
    }
    EXPECT_EQ(list->getMenu()->getPosition(), CCPoint(0, 340));
    key("Up");
    EXPECT_EQ(list->getMenu()->getPosition(), CCPoint(0, 240));
    EXPECT_EQ(contents::pageMenuOffset, CCPoint(0, 240));

    // The word list (six entries) keeps the saved offset of the long list for the next one.
    list = showUnit(8);
    list->getMenu()->setPosition(CCPointZero);
    key("Down");
    key("Up");
    EXPECT_EQ(list->getMenu()->getPosition(), CCPointZero);
    EXPECT_EQ(contents::pageMenuOffset, CCPoint(0, 240));

    // Return opens the page whose row is nearest the centre: 860 - 100 i = 460 gives entry 5.
    key("Return");
    PageLayer* page = runningChild<PageLayer>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(book::currentPage, 93);
}

TEST_F(ContentsKeysTest, HomeAndEscapeLeaveThePageListLikeItsMainPageItem) {
    for (const char* name : {"Home", "Escape"}) {
        showUnit(2);
        key(name);
        EXPECT_NE(runningChild<TestController>(), nullptr) << name;
    }
    // A list in a scene without a main-page item has nowhere to go.
    MenuLayerMainMenu* list = MenuLayerMainMenu::create();
    CCScene* scene = CCScene::create();
    scene->addChild(list);
    runScene(scene);
    key("Home");
    EXPECT_EQ(runningChild<MenuLayerMainMenu>(), list);
}

}  // namespace
}  // namespace lirava::test
