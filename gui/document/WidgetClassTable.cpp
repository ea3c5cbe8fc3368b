#include "gui/document/WidgetClassTable.h"

#include <cstring>

#include "gui/document/readers/PropertyReaders.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UIImageView.h"
#include "gui/widgets/UILabel.h"

namespace lirava {

namespace {

template <typename Widget>
UIWidget* make() {
    return Widget::create();
}

// Document class names, searched in this order. Classes whose readers are not written yet are
// simply absent: their nodes yield no widget, like any unknown class.
const WidgetClassEntry kWidgetClasses[] = {
    {"Button", &make<UIButton>, &readButtonProperties},
    {"Label", &make<UILabel>, &readLabelProperties},
    {"TextArea", &make<UILabel>, &readTextAreaProperties},
    {"TextButton", &make<UIButton>, &readTextButtonProperties},
    {"ImageView", &make<UIImageView>, &readImageViewProperties},
    {"Panel", &make<Layout>, &readPanelProperties},
    // List views are not built from documents: the node and its subtree yield nothing.
    {"ListView", nullptr, nullptr},
};

}  // namespace

const WidgetClassEntry* findWidgetClass(const char* className) {
    if (!className) {
        return nullptr;
    }
    for (const WidgetClassEntry& entry : kWidgetClasses) {
        if (std::strcmp(entry.className, className) == 0) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace lirava
