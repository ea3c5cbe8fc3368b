#include "app/AppFixture.h"
#include "app/contents/MenuLayerMainMenu.h"
#include "app/contents/TestController.h"
#include "app/reader/TestLayer1.h"
#include "app/shell/AppDelegate.h"
#include "app/shell/BookScene.h"
#include "app/shell/MenuTestScene.h"
#include "engine/menu/CCMenu.h"
#include "engine/platform/CCEGLView.h"
#include "gui/action/ActionManager.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/UIToolbox.h"

namespace lirava::test {
namespace {

class ScenesTest : public AppFixture {};

TEST_F(ScenesTest, LaunchShowsTheHomeScreenOnAPlainScene) {
    AppDelegate app;
    ASSERT_TRUE(app.applicationDidFinishLaunching());
    stepFrames(1);
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    EXPECT_EQ(view->getDesignResolutionSize(), CCSize(640, 960));
    EXPECT_EQ(view->getResolutionPolicy(), kResolutionExactFit);
    EXPECT_EQ(CCDirector::sharedDirector()->getAnimationInterval(), 0.016666666666666666);
    CCScene* scene = CCDirector::sharedDirector()->getRunningScene();
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(typeid(*scene), typeid(CCScene));
    ASSERT_EQ(scene->getChildrenCount(), 1u);
    EXPECT_NE(runningChild<TestController>(), nullptr);

    // Minimising stops the frames, restoring starts them again.
    app.applicationDidEnterBackground();
    EXPECT_FALSE(CCDirector::sharedDirector()->isAnimating());
    app.applicationWillEnterForeground();
    EXPECT_TRUE(CCDirector::sharedDirector()->isAnimating());
}

TEST_F(ScenesTest, PageListSceneHasAMainPageButtonBackHome) {
    runScene(CCScene::create());
    MenuTestScene* scene = new MenuTestScene();
    scene->start();
    scene->release();
    stepFrames(1);
    ASSERT_EQ(CCDirector::sharedDirector()->getRunningScene(), scene);
    CCMenu* buttons = runningChild<CCMenu>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->getZOrder(), 1);
    EXPECT_EQ(buttons->getPosition(), CCPointZero);
    ASSERT_EQ(buttons->getChildrenCount(), 1u);
    CCMenuItemLabel* home = static_cast<CCMenuItemLabel*>(child(buttons, 0));
    EXPECT_EQ(itemText(home), "Home");
    CCLabelTTF* label = static_cast<CCLabelTTF*>(home->getLabel());
    EXPECT_STREQ(label->getFontName(), "Arial");
    EXPECT_EQ(label->getFontSize(), 40.0f);
    EXPECT_EQ(home->getPosition(), CCPoint(560, 30));
    EXPECT_NE(runningChild<MenuLayerMainMenu>(), nullptr);

    click(560, 30);
    EXPECT_NE(runningChild<TestController>(), nullptr);
    EXPECT_EQ(typeid(*CCDirector::sharedDirector()->getRunningScene()), typeid(CCScene));
}

TEST_F(ScenesTest, LeavingAPageSceneDropsTheDocumentSingletonsUntilTheNextRead) {
    const char* document = "english5down/english5down_2.json";  // sprite sheet and animations
    BookScene* page = new BookScene();
    TestLayer1* layer = new TestLayer1();
    ASSERT_TRUE(layer->init());
    page->addChild(layer);
    layer->release();
    runScene(page);
    page->release();

    ASSERT_NE(CCSGUIReader::sharedReader()->widgetFromFile(document), nullptr);
    DictionaryAccessor::shared();
    ASSERT_TRUE(UIToolbox::exists());
    ASSERT_EQ(UIToolbox::sharedToolbox()->getRegisteredSheets()->count(), 1u);
    ASSERT_NE(ActionManager::instance()->getAnimationsForDocument("english5down_2.json"), nullptr);

    // The next page is built before the old scene leaves, so what it registered goes too.
    BookScene* next = new BookScene();
    ASSERT_NE(CCSGUIReader::sharedReader()->widgetFromFile(document), nullptr);
    CCDirector::sharedDirector()->replaceScene(next);
    next->release();
    stepFrames(1);
    EXPECT_FALSE(DictionaryAccessor::exists());
    EXPECT_FALSE(CCSGUIReader::exists());
    EXPECT_FALSE(UIToolbox::exists());
    EXPECT_FALSE(ActionManager::exists());

    // Everything comes back with the next read.
    EXPECT_NE(CCSGUIReader::sharedReader()->widgetFromFile(document), nullptr);
    EXPECT_EQ(UIToolbox::sharedToolbox()->getRegisteredSheets()->count(), 1u);
    EXPECT_NE(ActionManager::instance()->getAnimationsForDocument("english5down_2.json"), nullptr);

    // Leaving a page scene when none of them exists is fine as well.
    UIToolbox::purgeToolbox();
    ActionManager::destroyInstance();
    CCDirector::sharedDirector()->replaceScene(TestController::createScene());
    stepFrames(1);
    EXPECT_FALSE(UIToolbox::exists());
}

}  // namespace
}  // namespace lirava::test
