#include "app/shell/MenuTestScene.h"

#include "app/contents/MenuLayerMainMenu.h"
#include "engine/platform/CCDirector.h"

namespace lirava {

MenuTestScene::MenuTestScene() {
    CCDirector::sharedDirector()->purgeCachedData();
    CCScene::init();
}

void MenuTestScene::start() {
    addChild(MenuLayerMainMenu::create(), 0);
    CCDirector::sharedDirector()->replaceScene(this);
}

}  // namespace lirava
