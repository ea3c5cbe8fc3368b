#include "gui/widgets/UIRootWidget.h"

#include "engine/platform/CCDirector.h"

namespace lirava {

UIRootWidget* UIRootWidget::create() {
    UIRootWidget* root = new UIRootWidget();
    if (root->init()) {
        root->autorelease();
        return root;
    }
    delete root;
    return nullptr;
}

bool UIRootWidget::init() {
    if (!Layout::init()) {
        return false;
    }
    setSize(CCDirector::sharedDirector()->getWinSize());
    return true;
}

const char* UIRootWidget::getTypeName() const {
    return "RootWidget";
}

}  // namespace lirava
