#include "app/shell/BookScene.h"

#include "gui/action/ActionManager.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/UIToolbox.h"

namespace lirava {

BookScene::BookScene() {
    CCScene::init();
}

void BookScene::onEnter() {
    CCScene::onEnter();
}

void BookScene::onExit() {
    // The page that replaces this one was built before this scene leaves the stage, so this also
    // drops what the new page registered; its widgets stay as they are, and the singletons come
    // back on the next document read.
    if (DictionaryAccessor::exists()) {
        DictionaryAccessor::purge();
    }
    // The toolbox takes the document reader with it.
    if (UIToolbox::exists()) {
        UIToolbox::purgeToolbox();
    }
    ActionManager::destroyInstance();
    CCScene::onExit();
}

}  // namespace lirava
