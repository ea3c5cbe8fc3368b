#include <memory>
#include <string>

#include "gui/document/CCSGUIReader.h"
#include "gui/document/JsonDictionary.h"
#include "gui/document/readers/PropertyReaders.h"
#include "gui/document/readers/ReaderSupport.h"
#include "gui/widgets/UILabelAtlas.h"
#include "gui/widgets/UILabelBMFont.h"

namespace lirava {

using readers::json;

namespace {

// Character maps and bitmap fonts are always files of their own next to the document: in newer
// documents only resource type 0 is taken. False when the document names no usable file.
bool localFontFile(const CCSGUIReader& reader, const JsonDictionary* options, const char* olderKey,
                   const char* newerKey, std::string& path) {
    const DictionaryAccessor& j = json();
    const char* name = nullptr;
    std::unique_ptr<JsonDictionary> data;
    if (reader.isOlderSchema()) {
        name = j.getString(options, olderKey);
    } else {
        data = j.getDictionary(options, newerKey);
        if (j.getInt(data.get(), "resourceType") != 0) {
            return false;
        }
        name = j.getString(data.get(), "path");
    }
    // A missing or empty name would only name the document's folder.
    if (!name || !*name) {
        return false;
    }
    path = reader.getFilePath() + name;
    return true;
}

}  // namespace

void readLabelAtlasProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UILabelAtlas* label = dynamic_cast<UILabelAtlas*>(widget);
    if (!label) {
        return;
    }
    const DictionaryAccessor& j = json();
    readCommonProperties(reader, label, options);
    // The atlas is set up in one call, so only from a document that gives all of it.
    const bool complete = j.hasKey(options, "stringValue") && j.hasKey(options, "charMapFile") &&
                          j.hasKey(options, "itemWidth") && j.hasKey(options, "itemHeight") &&
                          j.hasKey(options, "startCharMap");
    if (complete) {
        std::string charMap;
        const char* text = j.getString(options, "stringValue");
        const char* startCharMap = j.getString(options, "startCharMap");
        if (text && startCharMap && localFontFile(reader, options, "charMapFile", "charMapFileData", charMap)) {
            label->setProperty(text, charMap.c_str(), j.getInt(options, "itemWidth"), j.getInt(options, "itemHeight"),
                               startCharMap);
        }
    }
    readColorProperties(reader, label, options);
}

void readLabelBMFontProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UILabelBMFont* label = dynamic_cast<UILabelBMFont*>(widget);
    if (!label) {
        return;
    }
    readCommonProperties(reader, label, options);
    std::string fontFile;
    if (localFontFile(reader, options, "fileName", "fileNameData", fontFile)) {
        label->setFntFile(fontFile.c_str());
    }
    if (const char* text = json().getString(options, "text")) {
        label->setText(text);
    }
    readColorProperties(reader, label, options);
}

}  // namespace lirava
