#pragma once

#include <string>

#include "gui/widgets/UIWidget.h"

namespace lirava {

class CCSGUIReader;
class JsonDictionary;

// An image or font file named by a document, resolved for a widget loader: the name to pass
// (possibly null) with its texture kind, or no call at all.
struct ImageReference {
    bool callLoader = true;
    bool hasName = false;
    std::string path;
    TextureResType textureKind = UI_TEX_TYPE_LOCAL;

    const char* name() const { return hasName ? path.c_str() : nullptr; }

    // Older documents: the key holds a name. With "useMergedTexture" it is a sprite frame of the
    // document's sheets, passed as it is; otherwise a local file below the document directory.
    // An absent or empty local name gives null.
    static ImageReference older(const CCSGUIReader& reader, const char* name, bool useMergedTexture);
    // Newer documents: an object with "resourceType" and "path". Type 0 is a local file below
    // the document directory (null when the path is absent or empty), type 1 a sprite frame
    // (the path as it is, null when absent); any other type leaves the image as it was. An
    // absent object counts as type 0 without a path.
    static ImageReference newer(const CCSGUIReader& reader, const JsonDictionary* data);
    // The newer rule applied to the object under key in options.
    static ImageReference newer(const CCSGUIReader& reader, const JsonDictionary* options, const char* key);
};

}  // namespace lirava
