#pragma once

#include "engine/nodes/CCNode.h"

namespace lirava {

// The refit that text widgets share: with ignoreSize on the node shows at scale 1 and the widget
// takes its content size; with it off the node is stretched to the widget's size (a node with no
// content stays at scale 1).
inline void fitNodeToSize(CCNode* node, bool ignoreSize, CCSize& widgetSize) {
    if (!node) {
        return;
    }
    if (ignoreSize) {
        node->setScale(1.0f);
        widgetSize = node->getContentSize();
        return;
    }
    const CCSize& content = node->getContentSize();
    if (content.width > 0.0f && content.height > 0.0f) {
        node->setScaleX(widgetSize.width / content.width);
        node->setScaleY(widgetSize.height / content.height);
    } else {
        node->setScale(1.0f);
    }
}

}  // namespace lirava
