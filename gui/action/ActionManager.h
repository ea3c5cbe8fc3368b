#pragma once

#include <string>

#include "engine/base/CCObject.h"

namespace lirava {

class CCArray;
class CCDictionary;
class JsonDictionary;

// The registry of UI animations: for every document read, the list of its animations
// (ActionObject, in document order) filed under the document's file name. A later document
// with the same file name replaces the earlier list.
//
// Made on first use; a page scene destroys it when it leaves the stage.
class ActionManager : public CCObject {
public:
    static ActionManager* instance();
    // Drops the registry and everything in it; the next instance() makes a new one. Safe when
    // there is none.
    static void destroyInstance();
    static bool exists();

    // Reads the "animation" section of a document (null reads as empty) and files its
    // animations under the part of documentName after the last "/"; root is the document's root
    // widget, the animations' targets are found below it.
    void loadDocumentAnimations(const char* documentName, const JsonDictionary* section, CCObject* root);

    // The animations filed under a document's file name, or null when none were.
    CCArray* getAnimationsForDocument(const std::string& fileName) const;
    unsigned int documentCount() const;

    // The key a document is filed under: its name after the last "/".
    static std::string fileNameKey(const char* documentName);

private:
    ActionManager();
    ~ActionManager() override;

    CCDictionary* m_animationsByDocument = nullptr;
};

}  // namespace lirava
