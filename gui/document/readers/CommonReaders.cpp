#include "gui/document/CCSGUIReader.h"
#include "gui/document/readers/PropertyReaders.h"
#include "gui/document/readers/ReaderSupport.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UIDragPanel.h"
#include "gui/widgets/UIListView.h"
#include "gui/widgets/UIScrollView.h"
#include "gui/widgets/UIWidget.h"

namespace lirava {

using readers::json;

namespace {

// Scroll views, list views and drag panels keep their own clipping: "clipAble" does not reach
// them (page views, also containers that scroll, do take it).
bool keepsOwnClipping(UIWidget* widget) {
    return dynamic_cast<UIScrollView*>(widget) || dynamic_cast<UIListView*>(widget) ||
           dynamic_cast<UIDragPanel*>(widget);
}

}  // namespace

void readCommonProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    if (!widget) {
        return;
    }
    const DictionaryAccessor& j = json();
    if (j.hasKey(options, "ignoreSize")) {
        widget->setIgnoreSize(j.getBool(options, "ignoreSize"));
    }
    widget->setSize(CCSize(j.getFloat(options, "width"), j.getFloat(options, "height")));
    widget->setTag(j.getInt(options, "tag"));
    widget->setActionTag(j.getInt(options, "actiontag"));
    widget->setTouchEnabled(j.getBool(options, "touchAble"));
    const char* name = j.getString(options, "name");
    widget->setName(name ? name : "default");
    widget->setPosition(CCPoint(j.getFloat(options, "x"), j.getFloat(options, "y")));
    if (j.hasKey(options, "scaleX")) {
        widget->setScaleX(j.getFloat(options, "scaleX"));
    }
    if (j.hasKey(options, "scaleY")) {
        widget->setScaleY(j.getFloat(options, "scaleY"));
    }
    if (j.hasKey(options, "rotation")) {
        widget->setRotation(j.getFloat(options, "rotation"));
    }
    if (j.hasKey(options, "visible")) {
        widget->setVisible(j.getBool(options, "visible"));
    }
    widget->setZOrder(j.getInt(options, "ZOrder"));
}

void readColorProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    if (!widget) {
        return;
    }
    const DictionaryAccessor& j = json();
    if (j.hasKey(options, "opacity")) {
        widget->setOpacity(readers::channel(j.getInt(options, "opacity")));
    }
    widget->setColor(readers::colorOr(options, "colorR", "colorG", "colorB", 255));
    const float anchorX = j.hasKey(options, "anchorPointX") ? j.getFloat(options, "anchorPointX") : 0.5f;
    const float anchorY = j.hasKey(options, "anchorPointY") ? j.getFloat(options, "anchorPointY") : 0.5f;
    widget->setAnchorPoint(CCPoint(anchorX, anchorY));
    widget->setFlipX(j.getBool(options, "flipX"));
    widget->setFlipY(j.getBool(options, "flipY"));
}

void readContainerProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    if (!widget) {
        return;
    }
    readCommonProperties(reader, widget, options);
    if (!keepsOwnClipping(widget)) {
        if (Layout* layout = dynamic_cast<Layout*>(widget)) {
            layout->setClippable(json().getBool(options, "clipAble"));
        }
    }
    readColorProperties(reader, widget, options);
}

}  // namespace lirava
