#include "gui/document/WidgetClassTable.h"

#include <cstring>

#include "gui/document/readers/PropertyReaders.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UICheckBox.h"
#include "gui/widgets/UIDragPanel.h"
#include "gui/widgets/UIImageView.h"
#include "gui/widgets/UILabel.h"
#include "gui/widgets/UILabelAtlas.h"
#include "gui/widgets/UILabelBMFont.h"
#include "gui/widgets/UILoadingBar.h"
#include "gui/widgets/UIPageView.h"
#include "gui/widgets/UIScrollView.h"
#include "gui/widgets/UISlider.h"
#include "gui/widgets/UITextField.h"

namespace lirava {

namespace {

template <typename Widget>
UIWidget* make() {
    return Widget::create();
}

// Document class names, searched in this order.
const WidgetClassEntry kWidgetClasses[] = {
    {"Button", &make<UIButton>, &readButtonProperties},
    {"CheckBox", &make<UICheckBox>, &readCheckBoxProperties},
    {"Label", &make<UILabel>, &readLabelProperties},
    {"LabelAtlas", &make<UILabelAtlas>, &readLabelAtlasProperties},
    {"LoadingBar", &make<UILoadingBar>, &readLoadingBarProperties},
    {"ScrollView", &make<UIScrollView>, &readScrollViewProperties},
    {"TextArea", &make<UILabel>, &readTextAreaProperties},
    {"TextButton", &make<UIButton>, &readTextButtonProperties},
    {"TextField", &make<UITextField>, &readTextFieldProperties},
    {"ImageView", &make<UIImageView>, &readImageViewProperties},
    {"Panel", &make<Layout>, &readPanelProperties},
    {"Slider", &make<UISlider>, &readSliderProperties},
    // List views are not built from documents: the node and its subtree yield nothing.
    {"ListView", nullptr, nullptr},
    {"PageView", &make<UIPageView>, &readPageViewProperties},
    {"LabelBMFont", &make<UILabelBMFont>, &readLabelBMFontProperties},
    {"DragPanel", &make<UIDragPanel>, &readDragPanelProperties},
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
