#pragma once

#include <string>

#include "engine/base/CCObject.h"

namespace lirava {

class JsonDictionary;
class UIWidget;

// Turns a UI document (a JSON file describing a tree of widgets) into a live widget tree: reads
// the file, registers its sprite sheets, fixes the design size, builds the widgets class by
// class with their property readers and hands the animation section to the ActionManager.
//
// One reader per process. Its document directory and older-schema flag describe the document
// being read and are overwritten by the next read.
class CCSGUIReader : public CCObject {
public:
    static CCSGUIReader* sharedReader();
    // Destroys the reader; the next sharedReader makes a new one. Safe when there is none.
    static void purgeReader();
    static bool exists();

    // documentName is relative to the resource root (for example "3age/pageset.json"). Returns
    // the root widget, autoreleased, or null when the file cannot be read or yields no root.
    UIWidget* widgetFromFile(const char* documentName);
    // Builds one widget node and its subtree (children added in document order, each after its
    // own subtree); null for a null node, an unknown class or "ListView".
    UIWidget* widgetFromDictionary(const JsonDictionary* node);

    // The folder of the document being read, with its trailing "/"; the property readers put it
    // in front of every local file the document names.
    const std::string& getFilePath() const { return m_filePath; }
    void setFilePath(const std::string& path) { m_filePath = path; }
    // True while the document declares a version below 0.2.5.0, or none: the property readers
    // then use the older keys.
    bool isOlderSchema() const { return m_olderSchema; }
    void setOlderSchema(bool older) { m_olderSchema = older; }

    // "a.b.c.d" as a*1000 + b*100 + c*10 + d; 0 for strings shorter than 7 characters.
    static int versionNumber(const char* version);

private:
    CCSGUIReader() = default;
    ~CCSGUIReader() override = default;

    UIWidget* buildWidget(JsonDictionary* node);

    std::string m_filePath;
    bool m_olderSchema = false;
};

}  // namespace lirava
