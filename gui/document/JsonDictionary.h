#pragma once

#include <json/value.h>

#include <memory>
#include <utility>

namespace lirava {

// One parsed JSON value (normally an object) answering typed questions about its members.
// Every read of a UI document goes through it; nothing else in the program talks to jsoncpp.
//
// Each query has a default for a key that is absent or of the wrong kind. Dictionaries returned
// by getDictionary/getArrayElement hold their own deep copy; strings point into this
// dictionary's storage and stay valid while it lives and is not reloaded.
class JsonDictionary {
public:
    JsonDictionary() = default;
    explicit JsonDictionary(const Json::Value& value) : m_root(value) {}
    explicit JsonDictionary(Json::Value&& value) : m_root(std::move(value)) {}

    // Replaces the root by the parse of the text. Text that does not parse leaves whatever the
    // parser had built before it stopped; null or empty text leaves the root null. True when the
    // whole text parsed (the reader does not care; the book checker reports it).
    bool loadText(const char* text);
    bool loadText(const char* text, std::size_t length);

    bool hasKey(const char* key) const;
    // Numbers (booleans count as 1 and 0) as a 32-bit integer: reals truncate toward zero,
    // values beyond the 32-bit range give the nearest 32-bit value.
    int getInt(const char* key, int defaultValue) const;
    double getFloat(const char* key, double defaultValue) const;
    // Only a boolean member counts.
    bool getBool(const char* key, bool defaultValue) const;
    // Only a string member counts; null otherwise.
    const char* getString(const char* key) const;
    // A copy of an array, object or null member; null for anything else or an absent key.
    std::unique_ptr<JsonDictionary> getDictionary(const char* key) const;
    // Elements of an array, members of an object; 0 for anything else.
    int getArraySize(const char* key) const;
    // A copy of element index of an array member when that element is an array, object or null.
    std::unique_ptr<JsonDictionary> getArrayElement(const char* key, int index) const;
    const char* getArrayString(const char* key, int index) const;

    // The same as getDictionary and getArrayElement, but the member is moved out instead of
    // copied and left null here. The document reader walks a widget tree this way so that each
    // subtree is not copied once per level of nesting.
    std::unique_ptr<JsonDictionary> takeDictionary(const char* key);
    std::unique_ptr<JsonDictionary> takeArrayElement(const char* key, int index);

    const Json::Value& root() const { return m_root; }

private:
    const Json::Value* member(const char* key) const;
    const Json::Value* arrayElement(const char* key, int index) const;

    Json::Value m_root;
};

}  // namespace lirava
