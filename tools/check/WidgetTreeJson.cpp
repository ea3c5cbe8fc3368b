#include "tools/check/WidgetTreeJson.h"

#include "engine/base/CCArray.h"
#include "engine/platform/JsonWriter.h"
#include "gui/widgets/UIWidget.h"

namespace lirava::check {

namespace {

void writeWidget(JsonWriter& out, UIWidget* widget) {
    const CCPoint position = widget->getPosition();
    const CCSize size = widget->getSize();
    const CCPoint anchor = widget->getAnchorPoint();
    const ccColor3B color = widget->getColor();
    out.beginObject();
    out.member("class", widget->getTypeName());
    out.member("name", widget->getName());
    out.member("tag", widget->getTag());
    out.member("actionTag", widget->getActionTag());
    out.beginArray("position").value(position.x).value(position.y).endArray();
    out.beginArray("size").value(size.width).value(size.height).endArray();
    out.beginArray("anchor").value(anchor.x).value(anchor.y).endArray();
    out.beginArray("scale").value(widget->getScaleX()).value(widget->getScaleY()).endArray();
    out.member("visible", widget->isVisible());
    out.member("touchEnabled", widget->isTouchEnabled());
    out.member("zOrder", widget->getZOrder());
    out.beginArray("color")
        .value(static_cast<int>(color.r))
        .value(static_cast<int>(color.g))
        .value(static_cast<int>(color.b))
        .endArray();
    out.member("opacity", static_cast<int>(widget->getOpacity()));
    out.beginArray("children");
    if (CCArray* children = widget->getChildren()) {
        for (CCObject* object : *children) {
            if (UIWidget* child = dynamic_cast<UIWidget*>(object)) {
                writeWidget(out, child);
            }
        }
    }
    out.endArray();
    out.endObject();
}

}  // namespace

std::string widgetTreeJson(UIWidget* root) {
    JsonWriter out;
    if (!root) {
        out.null();
    } else {
        writeWidget(out, root);
    }
    return out.str();
}

}  // namespace lirava::check
