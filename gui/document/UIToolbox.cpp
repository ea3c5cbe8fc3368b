#include "gui/document/UIToolbox.h"

#include <cstring>
#include <vector>

#include "engine/base/CCArray.h"
#include "engine/base/CCString.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/platform/CCDirector.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/RelativeLayoutParameter.h"
#include "gui/widgets/UIWidget.h"

namespace lirava {

namespace {

UIToolbox* g_toolbox = nullptr;

// Pre-order walk, children in their list order. The walk keeps its own stack so that a tree of
// any depth is searched without deep recursion.
template <typename Match>
UIWidget* findDepthFirst(UIWidget* root, Match matches) {
    if (!root) {
        return nullptr;
    }
    std::vector<UIWidget*> pending{root};
    while (!pending.empty()) {
        UIWidget* widget = pending.back();
        pending.pop_back();
        if (matches(widget)) {
            return widget;
        }
        CCArray* children = widget->getChildren();
        if (!children) {
            continue;
        }
        for (unsigned int i = children->count(); i > 0; --i) {
            if (UIWidget* child = dynamic_cast<UIWidget*>(children->objectAtIndex(i - 1))) {
                pending.push_back(child);
            }
        }
    }
    return nullptr;
}

}  // namespace

UIToolbox* UIToolbox::sharedToolbox() {
    if (!g_toolbox) {
        g_toolbox = new UIToolbox();
    }
    return g_toolbox;
}

void UIToolbox::purgeToolbox() {
    CCSGUIReader::purgeReader();
    if (g_toolbox) {
        UIToolbox* dying = g_toolbox;
        g_toolbox = nullptr;
        dying->release();
    }
}

bool UIToolbox::exists() {
    return g_toolbox != nullptr;
}

UIToolbox::UIToolbox() {
    m_designSize = CCDirector::sharedDirector()->getWinSize();
    m_registeredSheets = CCArray::create();
    m_registeredSheets->retain();
}

UIToolbox::~UIToolbox() {
    m_registeredSheets->release();
}

void UIToolbox::addSpriteFrames(const char* fileName) {
    if (!fileName || fileName[0] == '\0') {
        return;
    }
    for (CCObject* object : *m_registeredSheets) {
        if (static_cast<CCString*>(object)->str() == fileName) {
            return;
        }
    }
    m_registeredSheets->addObject(CCString::create(fileName));
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(fileName);
}

UIWidget* UIToolbox::findWidgetByName(UIWidget* root, const char* name) {
    if (!name) {
        return nullptr;
    }
    return findDepthFirst(root, [name](UIWidget* widget) { return std::strcmp(widget->getName(), name) == 0; });
}

UIWidget* UIToolbox::findWidgetByActionTag(UIWidget* root, int tag) {
    return findDepthFirst(root, [tag](UIWidget* widget) { return widget->getActionTag() == tag; });
}

UIWidget* UIToolbox::findWidgetByRelativeName(Layout* container, const char* name) {
    if (!container || !name) {
        return nullptr;
    }
    CCArray* children = container->getChildren();
    if (!children) {
        return nullptr;
    }
    for (CCObject* object : *children) {
        UIWidget* child = dynamic_cast<UIWidget*>(object);
        if (!child) {
            continue;
        }
        RelativeLayoutParameter* parameter = dynamic_cast<RelativeLayoutParameter*>(child->getLayoutParameter());
        if (parameter && std::strcmp(parameter->getRelativeName(), name) == 0) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace lirava
