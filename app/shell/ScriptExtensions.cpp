#include "app/shell/ScriptExtensions.h"

#include <cxxabi.h>

#include <cstdlib>
#include <cstring>
#include <typeinfo>

#include "app/contents/ContentsState.h"
#include "app/contents/MenuLayerMainMenu.h"
#include "app/contents/TestController.h"
#include "app/reader/BookState.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItemImage.h"
#include "engine/menu/CCMenuItemLabel.h"
#include "engine/nodes/CCScene.h"
#include "engine/nodes/CCSprite.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/JsonWriter.h"
#include "engine/platform/ScriptDriver.h"
#include "engine/text/CCLabelProtocol.h"
#include "engine/text/CCLabelTTF.h"
#include "engine/text/TextLayout.h"

#include "engine/text/Utf8.h"
#include "engine/text/WordBoxes.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UIWidget.h"

namespace lirava {

namespace {

const char* const kProgramLayers[] = {"TestController", "MenuLayerMainMenu", "TestLayer1", "TestLayer2", "SetLayer"};

// The dynamic class name without its namespaces.
std::string className(const CCObject* object) {
    if (!object) {
        return std::string();
    }
    const char* mangled = typeid(*object).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    const std::size_t colons = name.rfind("::");
    return colons == std::string::npos ? name : name.substr(colons + 2);
}

CCNode* programLayer(const CCScene* scene) {
    if (!scene) {
        return nullptr;
    }
    CCArray* children = scene->getChildren();
    for (unsigned int i = 0; i < children->count(); ++i) {
        CCNode* child = static_cast<CCNode*>(children->objectAtIndex(i));
        const std::string name = className(child);
        for (const char* layer : kProgramLayers) {
            if (name == layer) {
                return child;
            }
        }
    }
    return nullptr;
}

void writePoint(JsonWriter& writer, const char* name, const CCPoint& point) {
    writer.beginArray(name).value(point.x).value(point.y).endArray();
}

void writeSize(JsonWriter& writer, const char* name, const CCSize& size) {
    writer.beginArray(name).value(size.width).value(size.height).endArray();
}

// The menu's position and, for each item in drawing order, its text (null for image items),
// position, z-order and visibility.
void writeMenu(JsonWriter& writer, CCMenu* menu) {
    if (!menu) {
        writer.memberNull("menu").memberNull("items");
        return;
    }
    writePoint(writer, "menu", menu->getPosition());
    writer.beginArray("items");
    CCArray* children = menu->getChildren();
    for (unsigned int i = 0; i < children->count(); ++i) {
        CCNode* item = static_cast<CCNode*>(children->objectAtIndex(i));
        writer.beginObject();
        CCMenuItemLabel* labelItem = dynamic_cast<CCMenuItemLabel*>(item);
        CCLabelProtocol* label = labelItem ? dynamic_cast<CCLabelProtocol*>(labelItem->getLabel()) : nullptr;
        if (label) {
            writer.member("text", label->getString());
        } else {
            writer.memberNull("text");
        }
        writePoint(writer, "position", item->getPosition());
        writer.member("z", item->getZOrder());
        writer.member("visible", item->isVisible());
        writer.endObject();
    }
    writer.endArray();
}

// The caption's words with their boxes in design units (origin bottom left), and the index of
// the lit word or null.
void writeCaptionWords(JsonWriter& writer, CCLabelTTF* caption) {
    const std::vector<std::string> words = splitWords(utf8::sanitize(caption->getString()));
    const std::vector<CCRect> boxes = caption->getWordBoxes();
    const CCAffineTransform toWorld = caption->nodeToWorldTransform();
    writer.beginArray("words");
    for (std::size_t i = 0; i < words.size() && i < boxes.size(); ++i) {
        const CCRect box = CCRectApplyAffineTransform(boxes[i], toWorld);
        writer.beginObject().member("text", words[i]);
        writer.beginArray("box").value(box.origin.x).value(box.origin.y).value(box.size.width).value(box.size.height);
        writer.endArray().endObject();
    }
    writer.endArray();
    if (caption->getLitWord() >= 0) {
        writer.member("word", caption->getLitWord());
    } else {
        writer.memberNull("word");
    }
}

void writeCaptionAndPlate(JsonWriter& writer, bool pageShown) {
    CCLabelTTF* caption = pageShown ? book::captionLabel : nullptr;
    if (!caption) {
        writer.memberNull("caption");
    } else {
        writer.beginObject("caption");
        writer.member("text", caption->getString());
        writer.member("visible", caption->isVisible());
        writePoint(writer, "position", caption->getPosition());
        writeSize(writer, "size", caption->getContentSize());
        writer.member("missingGlyphs", static_cast<int>(caption->getMissingGlyphCount()));
        writer.member("language", book::shownCaptionLanguage);
        writer.beginArray("lines");
        for (const TextLayout::Line& line : caption->getLayout().lines) {
            writer.value(line.text);
        }
        writer.endArray();

        writeCaptionWords(writer, caption);
        writer.endObject();
    }
    UIButton* plate = pageShown ? book::captionBackground : nullptr;
    if (!plate) {
        writer.memberNull("plate");
    } else {
        writer.beginObject("plate");
        writer.member("visible", plate->isVisible());
        writePoint(writer, "position", plate->getPosition());
        writeSize(writer, "size", plate->getSize());
        writer.endObject();
    }
}

}  // namespace

std::string programLayerName(const CCScene* scene) {
    return className(programLayer(scene));
}

void writeProgramState(JsonWriter& writer) {
    CCNode* layer = programLayer(CCDirector::sharedDirector()->getRunningScene());
    const std::string layerName = className(layer);
    if (layer) {
        writer.member("layer", layerName);
    } else {
        writer.memberNull("layer");
    }
    writer.member("currentPage", book::currentPage);
    writer.member("currentUnit", contents::currentUnit);
    writer.member("readingMode", book::readingMode);
    writer.member("autoPlay", book::autoPlay);
    writer.member("nextSentence", book::nextSentence);
    writer.member("lastSentence", book::lastSentence);
    writer.member("narrationSpeed", book::narrationSpeed);
    writer.beginArray("captionLanguages");
    for (const std::string& tag : book::captionLanguages) {
        writer.value(tag);
    }
    writer.endArray();
    // The page's pointers outlive their page; they are only looked at while a page is shown.
    const bool pageShown = layerName == "TestLayer1" || layerName == "TestLayer2";
    if (pageShown && book::activeSentence) {
        writer.member("activeSentence", book::activeSentence->getName());
    } else {
        writer.memberNull("activeSentence");
    }
    writeCaptionAndPlate(writer, pageShown);

    const std::string music = SimpleAudioEngine::sharedEngine()->playingMusicPath();
    if (music.empty()) {
        writer.memberNull("music");
    } else {
        writer.member("music", music);
    }

    if (TestController* home = dynamic_cast<TestController*>(layer)) {
        writeMenu(writer, home->getUnitMenu());
        writer.member("hint", home->getDragHint() && home->getDragHint()->isVisible());
        if (home->getFigure()) {
            writePoint(writer, "figure", home->getFigure()->getPosition());
        } else {
            writer.memberNull("figure");
        }
    } else if (MenuLayerMainMenu* list = dynamic_cast<MenuLayerMainMenu*>(layer)) {
        writeMenu(writer, list->getMenu());
    }
}

void registerScriptExtensions() {
    ScriptDriver::addStateProvider(writeProgramState);
    ScriptDriver::registerCommand("hint", [](const std::vector<std::string>& arguments, ScriptHost&) {
        if (!arguments.empty()) {
            return ScriptCommandResult::fail("hint takes no arguments");
        }
        TestController* home =
            dynamic_cast<TestController*>(programLayer(CCDirector::sharedDirector()->getRunningScene()));
        if (!home || !home->getDragHint()) {
            return ScriptCommandResult::fail("hint: the home screen is not showing");
        }
        home->getDragHint()->setVisible(true);
        return ScriptCommandResult::ok();
    });
}

}  // namespace lirava
