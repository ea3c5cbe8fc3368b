#include "gui/document/readers/ImageReference.h"

#include "gui/document/CCSGUIReader.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/JsonDictionary.h"

namespace lirava {

namespace {

ImageReference localFile(const CCSGUIReader& reader, const char* name) {
    ImageReference ref;
    ref.textureKind = UI_TEX_TYPE_LOCAL;
    if (name && name[0] != '\0') {
        ref.hasName = true;
        ref.path = reader.getFilePath() + name;
    }
    return ref;
}

ImageReference spriteFrame(const char* name) {
    ImageReference ref;
    ref.textureKind = UI_TEX_TYPE_PLIST;
    if (name) {
        ref.hasName = true;
        ref.path = name;
    }
    return ref;
}

}  // namespace

ImageReference ImageReference::older(const CCSGUIReader& reader, const char* name, bool useMergedTexture) {
    return useMergedTexture ? spriteFrame(name) : localFile(reader, name);
}

ImageReference ImageReference::newer(const CCSGUIReader& reader, const JsonDictionary* data) {
    const DictionaryAccessor* json = DictionaryAccessor::shared();
    const int resourceType = json->getInt(data, "resourceType");
    const char* path = json->getString(data, "path");
    switch (resourceType) {
        case 0:
            return localFile(reader, path);
        case 1:
            return spriteFrame(path);
        default: {
            ImageReference untouched;
            untouched.callLoader = false;
            return untouched;
        }
    }
}

ImageReference ImageReference::newer(const CCSGUIReader& reader, const JsonDictionary* options, const char* key) {
    std::unique_ptr<JsonDictionary> data = DictionaryAccessor::shared()->getDictionary(options, key);
    return newer(reader, data.get());
}

}  // namespace lirava
