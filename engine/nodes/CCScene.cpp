#include "engine/nodes/CCScene.h"

#include "engine/platform/CCDirector.h"

namespace lirava {

CCScene* CCScene::create() {
    CCScene* scene = new CCScene();
    if (scene->init()) {
        scene->autorelease();
        return scene;
    }
    delete scene;
    return nullptr;
}

CCScene::CCScene() {
    ignoreAnchorPointForPosition(true);
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

bool CCScene::init() {
    setContentSize(CCDirector::sharedDirector()->getWinSize());
    return true;
}

}  // namespace lirava
