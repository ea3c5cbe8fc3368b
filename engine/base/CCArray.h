#pragma once

#include <cstddef>
#include <vector>

#include "engine/base/CCObject.h"

namespace lirava {

// Ordered list of retained objects.
class CCArray : public CCObject {
public:
    static CCArray* create();
    static CCArray* createWithCapacity(unsigned int capacity);
    // A new array holding the same objects (a shallow copy, as the engine's arrays do).
    static CCArray* createWithArray(CCArray* other);

    unsigned int count() const { return static_cast<unsigned int>(m_data.size()); }
    bool empty() const { return m_data.empty(); }
    CCObject* objectAtIndex(unsigned int index) const;
    CCObject* lastObject() const;
    CCObject* randomObject() const;
    bool containsObject(const CCObject* object) const;
    // Index of the object, or UINT_MAX when it is not in the array.
    unsigned int indexOfObject(const CCObject* object) const;

    void addObject(CCObject* object);
    void addObjectsFromArray(const CCArray* other);
    void insertObject(CCObject* object, unsigned int index);
    void removeObject(CCObject* object);
    void removeObjectAtIndex(unsigned int index);
    void removeLastObject();
    void removeAllObjects();
    void exchangeObjectAtIndex(unsigned int index1, unsigned int index2);
    void reverseObjects();

    CCObject* copy() override;

    std::vector<CCObject*>::const_iterator begin() const { return m_data.begin(); }
    std::vector<CCObject*>::const_iterator end() const { return m_data.end(); }
    const std::vector<CCObject*>& data() const { return m_data; }

    ~CCArray() override;

private:
    std::vector<CCObject*> m_data;
};

}  // namespace lirava
