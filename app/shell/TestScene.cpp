#include "app/shell/TestScene.h"

#include "app/contents/TestController.h"
#include "app/shell/VisibleArea.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCString.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItemLabel.h"
#include "engine/platform/CCDirector.h"
#include "engine/text/CCLabelTTF.h"

namespace lirava {

void TestScene::onEnter() {
    CCScene::onEnter();

    CCDictionary* strings = CCDictionary::createWithContentsOfFile("String.xml");
    const char* text = strings->valueForKey("main_page")->getCString();
    CCMenuItemLabel* item =
        CCMenuItemLabel::create(CCLabelTTF::create(text, "Arial", 40), this, menu_selector(TestScene::goHome));
    CCMenu* menu = CCMenu::create(item, nullptr);
    menu->setPosition(CCPointZero);
    item->setPosition(CCPoint(VisibleArea::right().x - 80, VisibleArea::bottom().y + 30));
    addChild(menu, 1);
}

void TestScene::goHome(CCObject* sender) {
    CCDirector::sharedDirector()->replaceScene(TestController::createScene());
}

}  // namespace lirava
