#pragma once

// Page scenes read from the sample book's documents, the way the page layers build them: a
// widget layer with the page's document tree, then the document singletons dropped as a page
// scene does when it leaves the stage.

#include <cstdio>
#include <string>

#include "engine/nodes/CCScene.h"
#include "gui/action/ActionManager.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/UIToolbox.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"
#include "gui/widgets/UIWidget.h"

namespace lirava::bench {

inline std::string pageDocument(int page) {
    char name[64];
    std::snprintf(name, sizeof name, "english5down/english5down_%d.json", page);
    return name;
}

// A widget layer holding the page's tree (autoreleased), or null when the page does not read.
inline UILayer* buildPageLayer(int page) {
    UILayer* layer = UILayer::create();
    UIWidget* root = CCSGUIReader::sharedReader()->widgetFromFile(pageDocument(page).c_str());
    if (!root) {
        return nullptr;
    }
    layer->getRootWidget()->addChild(root);
    return layer;
}

inline void dropDocumentSingletons() {
    DictionaryAccessor::purge();
    UIToolbox::purgeToolbox();
    ActionManager::destroyInstance();
}

inline CCScene* pageScene(int page) {
    CCScene* scene = CCScene::create();
    if (UILayer* layer = buildPageLayer(page)) {
        scene->addChild(layer);
    }
    return scene;
}

}  // namespace lirava::bench
