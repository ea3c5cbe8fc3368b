#include "app/reader/TestLayer1.h"

#include "app/contents/TestController.h"
#include "app/shell/VisibleArea.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCString.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItemFont.h"
#include "engine/platform/CCDirector.h"

namespace lirava {

bool TestLayer1::init() {
    if (!CCLayer::init()) {
        return false;
    }
    SimpleAudioEngine::sharedEngine()->setBackgroundMusicVolume(1.0f);
    SimpleAudioEngine::sharedEngine()->stopBackgroundMusic();

    CCDictionary* strings = CCDictionary::createWithContentsOfFile("String.xml");
    CCMenuItemFont* home = CCMenuItemFont::create(strings->valueForKey("main_page")->getCString(), this,
                                                  menu_selector(TestLayer1::showMainPage));
    home->setColor(ccc3(0, 0, 255));
    home->setPosition(CCPoint(VisibleArea::left().x + 60, VisibleArea::bottom().y + 30));
    CCMenu* menu = CCMenu::create(home, nullptr);
    menu->setPosition(CCPointZero);
    addChild(menu, 3);
    return true;
}

void TestLayer1::onEnter() {
    CCLayer::onEnter();
    CCLog("Scene 1 onEnter");
}

void TestLayer1::onEnterTransitionDidFinish() {
    CCLayer::onEnterTransitionDidFinish();
    CCLog("Scene 1: onEnterTransitionDidFinish");
}

void TestLayer1::onExit() {
    CCLayer::onExit();
    CCLog("Scene 1 onExit");
}

void TestLayer1::onExitTransitionDidStart() {
    CCLayer::onExitTransitionDidStart();
    CCLog("Scene 1: onExitTransitionDidStart");
}

void TestLayer1::showMainPage(CCObject* sender) {
    unscheduleAllSelectors();
    CCDirector::sharedDirector()->replaceScene(TestController::createScene());
}

}  // namespace lirava
