#include "gui/widgets/UIListView.h"

namespace lirava {

UIListView* UIListView::create() {
    UIListView* view = new UIListView();
    if (view->init()) {
        view->autorelease();
        return view;
    }
    delete view;
    return nullptr;
}

const char* UIListView::getTypeName() const {
    return "ListView";
}

}  // namespace lirava
