#pragma once

#include <memory>

namespace lirava {

class JsonDictionary;

// The null-tolerant way the document readers query dictionaries: every operation takes the
// dictionary pointer first and answers with the default when it is null (0, 0.0, false, null,
// 0, null, false), so a reader never has to test a sub-dictionary before reading it. The
// defaults passed to the dictionary itself are fixed too: a reader that needs another default
// (255 for a colour channel, 0.5 for an anchor) tests presence first.
//
// It has no state; it is a process-wide object only so that scenes can drop it with the other
// document singletons.
class DictionaryAccessor {
public:
    static DictionaryAccessor* shared();
    static void purge();
    static bool exists();

    bool hasKey(const JsonDictionary* dict, const char* key) const;
    int getInt(const JsonDictionary* dict, const char* key) const;
    float getFloat(const JsonDictionary* dict, const char* key) const;
    bool getBool(const JsonDictionary* dict, const char* key) const;
    const char* getString(const JsonDictionary* dict, const char* key) const;
    std::unique_ptr<JsonDictionary> getDictionary(const JsonDictionary* dict, const char* key) const;
    int getArraySize(const JsonDictionary* dict, const char* key) const;
    std::unique_ptr<JsonDictionary> getArrayElement(const JsonDictionary* dict, const char* key, int index) const;
    const char* getArrayString(const JsonDictionary* dict, const char* key, int index) const;

private:
    DictionaryAccessor() = default;
};

}  // namespace lirava
