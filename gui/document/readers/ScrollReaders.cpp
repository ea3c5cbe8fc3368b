#include "gui/document/CCSGUIReader.h"
#include "gui/document/readers/PropertyReaders.h"
#include "gui/document/readers/ReaderSupport.h"
#include "gui/widgets/UIDragPanel.h"
#include "gui/widgets/UIPageView.h"
#include "gui/widgets/UIScrollView.h"

namespace lirava {

using readers::json;

namespace {

// "direction" is written as a number that may carry a fraction: it is cut toward zero. Values
// that name no direction (and numbers too large to cut) leave the view unscrollable.
SCROLLVIEW_DIR scrollDirection(float value) {
    if (!(value > -3.0f && value < 3.0f)) {
        return SCROLLVIEW_DIR_NONE;
    }
    const int direction = static_cast<int>(value);
    if (direction == SCROLLVIEW_DIR_VERTICAL || direction == SCROLLVIEW_DIR_HORIZONTAL) {
        return static_cast<SCROLLVIEW_DIR>(direction);
    }
    return SCROLLVIEW_DIR_NONE;
}

CCSize innerSize(const JsonDictionary* options) {
    return CCSize(json().getFloat(options, "innerWidth"), json().getFloat(options, "innerHeight"));
}

}  // namespace

void readScrollViewProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UIScrollView* view = dynamic_cast<UIScrollView*>(widget);
    if (!view) {
        return;
    }
    readPanelProperties(reader, view, options);
    view->setInnerSize(innerSize(options));
    view->setDirection(scrollDirection(json().getFloat(options, "direction")));
    readColorProperties(reader, view, options);
}

void readDragPanelProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UIDragPanel* panel = dynamic_cast<UIDragPanel*>(widget);
    if (!panel) {
        return;
    }
    readPanelProperties(reader, panel, options);
    panel->setBounceEnabled(json().getBool(options, "bounceEnable"));
    panel->setInnerSize(innerSize(options));
    readColorProperties(reader, panel, options);
}

void readPageViewProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UIPageView* view = dynamic_cast<UIPageView*>(widget);
    if (!view) {
        return;
    }
    readPanelProperties(reader, view, options);
    readColorProperties(reader, view, options);
}

}  // namespace lirava
