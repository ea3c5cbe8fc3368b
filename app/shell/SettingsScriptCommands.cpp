#include "app/shell/SettingsScriptCommands.h"

#include <string>
#include <vector>

#include "app/reader/PageLayer.h"
#include "app/reader/SetLayer.h"
#include "engine/base/CCArray.h"
#include "engine/menu/CCMenuItemImage.h"
#include "engine/nodes/CCScene.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/JsonWriter.h"
#include "engine/platform/ScriptDriver.h"
#include "gui/widgets/UIButton.h"

namespace lirava {

namespace {

// The first child of the running scene of class T; null while a transition runs.
template <typename T>
T* runningLayer() {
    CCScene* scene = CCDirector::sharedDirector()->getRunningScene();
    if (!scene) {
        return nullptr;
    }
    for (CCObject* child : *scene->getChildren()) {
        if (T* layer = dynamic_cast<T*>(child)) {
            return layer;
        }
    }
    return nullptr;
}

ScriptCommandResult openSettings(const std::vector<std::string>& arguments, ScriptHost&) {
    if (!arguments.empty()) {
        return ScriptCommandResult::fail("settings takes no arguments");
    }
    PageLayer* page = runningLayer<PageLayer>();
    if (!page) {
        return ScriptCommandResult::fail("settings: no page is showing (the settings screen opens from a page)");
    }
    page->showSettings(nullptr);
    // One frame, so that the zoom flip has started when the next line runs.
    return ScriptCommandResult::ok(1);
}

}  // namespace

void writeSettingsState(JsonWriter& writer) {
    PageLayer* page = runningLayer<PageLayer>();
    if (page && page->getPlayItem()) {
        writer.member("playItem", page->getPlayItem()->isVisible());
    } else {
        writer.memberNull("playItem");
    }

    SetLayer* settings = runningLayer<SetLayer>();
    if (!settings) {
        writer.memberNull("settings");
        return;
    }
    writer.beginObject("settings");
    writer.member("pendingMode", settings->getPendingMode());
    // Only a button of this screen is named: the pointer is compared, never followed, until then.
    const char* selected = nullptr;
    for (int tag = 1; tag <= SetLayer::kButtonCount; ++tag) {
        UIWidget* button = settings->getButton(tag);
        if (button && button == book::selectedSetting) {
            selected = SetLayer::kButtonNames[tag - 1];
        }
    }
    writer.member("selected", selected);
    writer.member("homeItem", settings->getHomeMenu() != nullptr);
    writer.beginObject("buttons");
    for (int tag = 1; tag <= SetLayer::kButtonCount; ++tag) {
        const char* name = SetLayer::kButtonNames[tag - 1];
        UIWidget* widget = settings->getButton(tag);
        if (!widget) {
            writer.memberNull(name);
            continue;
        }
        writer.beginObject(name);
        writer.member("bright", widget->isBright());
        if (UIButton* button = dynamic_cast<UIButton*>(widget)) {
            const ccColor3B& color = button->getTitleColor();
            writer.beginArray("titleColor").value(int(color.r)).value(int(color.g)).value(int(color.b)).endArray();
        } else {
            writer.memberNull("titleColor");
        }
        writer.endObject();
    }
    writer.endObject();
    writer.endObject();
}

void registerSettingsScriptCommands() {
    ScriptDriver::addStateProvider(writeSettingsState);
    ScriptDriver::registerCommand("settings", openSettings);
}

}  // namespace lirava
