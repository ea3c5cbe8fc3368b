#pragma once

#include <string>

namespace lirava {
class UIWidget;
}

namespace lirava::check {

// The widget tree below root as one line of compact JSON: for every widget its class (type
// name), name, tag, actionTag, position, size, anchor, scale, visible, touchEnabled, zOrder,
// color, opacity and children in child-list order. A null root gives "null".
std::string widgetTreeJson(UIWidget* root);

}  // namespace lirava::check
