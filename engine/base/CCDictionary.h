#pragma once

#include <map>
#include <string>

#include "engine/base/CCObject.h"

namespace lirava {

class CCArray;
class CCString;

// String-keyed map of retained objects. Property-list files load into it: dict becomes
// CCDictionary, array CCArray, string CCString, integer CCInteger, real CCDouble, true and
// false CCBool.
class CCDictionary : public CCObject {
public:
    static CCDictionary* create();
    // Reads a property-list XML file, the name resolved through CCFileUtils. A missing,
    // unreadable or malformed file gives an empty dictionary, never null.
    static CCDictionary* createWithContentsOfFile(const char* fileName);
    // The same from bytes in memory.
    static CCDictionary* createWithContentsOfData(const char* data, std::size_t size);

    unsigned int count() const { return static_cast<unsigned int>(m_elements.size()); }
    CCObject* objectForKey(const std::string& key) const;
    // The value as a string: a CCString as it is, a number or boolean in its decimal form,
    // anything else (or a missing key) as an empty string. Never null.
    const CCString* valueForKey(const std::string& key);
    void setObject(CCObject* object, const std::string& key);
    void removeObjectForKey(const std::string& key);
    void removeAllObjects();
    // Keys in sorted order.
    CCArray* allKeys() const;
    const std::map<std::string, CCObject*>& elements() const { return m_elements; }

    CCObject* copy() override;
    ~CCDictionary() override;

private:
    std::map<std::string, CCObject*> m_elements;
};

}  // namespace lirava
