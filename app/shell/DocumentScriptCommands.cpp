#include "app/shell/DocumentScriptCommands.h"

#include <set>
#include <string>
#include <vector>

#include "app/shell/BookScene.h"
#include "engine/base/CCArray.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/JsonWriter.h"
#include "engine/platform/ScriptDriver.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UICCTextField.h"
#include "gui/widgets/UICheckBox.h"
#include "gui/widgets/UIDragPanel.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UILoadingBar.h"
#include "gui/widgets/UIRootWidget.h"
#include "gui/widgets/UIScrollView.h"
#include "gui/widgets/UISlider.h"
#include "gui/widgets/UITextField.h"

namespace lirava {

namespace {

// A scene that shows one document; it drops the document singletons when it leaves, like the
// book's own page scenes.
class DocumentScene : public BookScene {
public:
    DocumentScene(std::string file, UILayer* layer) : m_file(std::move(file)), m_layer(layer) {}

    const std::string& file() const { return m_file; }
    UILayer* layer() const { return m_layer; }

private:
    std::string m_file;
    UILayer* m_layer;  // a child of the scene
};

void writePoint(JsonWriter& writer, const char* name, const CCPoint& point) {
    writer.beginArray(name).value(point.x).value(point.y).endArray();
}

void writeSize(JsonWriter& writer, const char* name, const CCSize& size) {
    writer.beginArray(name).value(size.width).value(size.height).endArray();
}

void writeInner(JsonWriter& writer, Layout* inner) {
    if (inner) {
        writePoint(writer, "inner", inner->getPosition());
        writeSize(writer, "innerSize", inner->getSize());
    }
}

void writeWidget(JsonWriter& writer, UIWidget* widget) {
    writer.beginObject(widget->getName());
    writer.member("class", widget->getTypeName());
    writePoint(writer, "position", widget->getPosition());
    writeSize(writer, "size", widget->getSize());
    writer.member("visible", widget->isVisible());
    if (UIScrollView* view = dynamic_cast<UIScrollView*>(widget)) {
        writeInner(writer, view->getInnerContainer());
    } else if (UIDragPanel* panel = dynamic_cast<UIDragPanel*>(widget)) {
        writeInner(writer, panel->getInnerContainer());
    } else if (UISlider* slider = dynamic_cast<UISlider*>(widget)) {
        writer.member("percent", slider->getPercent());
    } else if (UILoadingBar* bar = dynamic_cast<UILoadingBar*>(widget)) {
        writer.member("percent", bar->getPercent());
    } else if (UICheckBox* checkBox = dynamic_cast<UICheckBox*>(widget)) {
        writer.member("selected", checkBox->getSelectedState());
    } else if (UITextField* field = dynamic_cast<UITextField*>(widget)) {
        writer.member("text", field->getStringValue());
        writer.member("shown", field->getTextFieldRenderer()->getDisplayedText());
    }
    writer.endObject();
}

void writeWidgets(JsonWriter& writer, UIWidget* widget, std::set<std::string>& seen) {
    if (seen.insert(widget->getName()).second) {
        writeWidget(writer, widget);
    }
    if (CCArray* children = widget->getChildren()) {
        for (CCObject* child : *children) {
            writeWidgets(writer, static_cast<UIWidget*>(child), seen);
        }
    }
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        if (!text.empty()) {
            text += ' ';
        }
        text += word;
    }
    return text;
}

ScriptCommandResult showDocument(const std::vector<std::string>& arguments, ScriptHost&) {
    if (arguments.size() != 1) {
        return ScriptCommandResult::fail("document takes one file name");
    }
    UILayer* layer = UILayer::create();
    UIWidget* root = layer ? CCSGUIReader::sharedReader()->widgetFromFile(arguments[0].c_str()) : nullptr;
    if (!root) {
        return ScriptCommandResult::fail("document: " + arguments[0] + " gives no widget tree", 1);
    }
    layer->getRootWidget()->addChild(root);
    DocumentScene* scene = new DocumentScene(arguments[0], layer);
    scene->addChild(layer);
    CCDirector::sharedDirector()->replaceScene(scene);
    scene->release();
    return ScriptCommandResult::ok(1);
}

}  // namespace

void writeDocumentState(JsonWriter& writer) {
    DocumentScene* scene = dynamic_cast<DocumentScene*>(CCDirector::sharedDirector()->getRunningScene());
    if (!scene) {
        writer.memberNull("document");
        return;
    }
    writer.beginObject("document");
    writer.member("file", scene->file());
    writer.beginObject("widgets");
    std::set<std::string> seen;
    if (CCArray* trees = scene->layer()->getRootWidget()->getChildren()) {
        for (CCObject* tree : *trees) {
            writeWidgets(writer, static_cast<UIWidget*>(tree), seen);
        }
    }
    writer.endObject();
    writer.endObject();
}

void registerDocumentScriptCommands() {
    ScriptDriver::addStateProvider(writeDocumentState);
    ScriptDriver::registerCommand("document", showDocument);
    ScriptDriver::registerCommand("type", [](const std::vector<std::string>& arguments, ScriptHost& host) {
        if (arguments.empty()) {
            return ScriptCommandResult::fail("type takes the text to type");
        }
        host.pushText(joined(arguments));
        return ScriptCommandResult::ok(1);
    });
}

}  // namespace lirava
