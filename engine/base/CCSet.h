#pragma once

#include <vector>

#include "engine/base/CCObject.h"

namespace lirava {

// A small set of retained objects that keeps insertion order (touch sets hold one or two).
class CCSet : public CCObject {
public:
    static CCSet* create();
    ~CCSet() override;

    void addObject(CCObject* object);
    void removeObject(CCObject* object);
    void removeAllObjects();
    bool containsObject(const CCObject* object) const;
    int count() const { return static_cast<int>(m_objects.size()); }
    // The first object added, or null.
    CCObject* anyObject() const { return m_objects.empty() ? nullptr : m_objects.front(); }

    std::vector<CCObject*>::const_iterator begin() const { return m_objects.begin(); }
    std::vector<CCObject*>::const_iterator end() const { return m_objects.end(); }

private:
    std::vector<CCObject*> m_objects;
};

}  // namespace lirava
