#include "engine/base/CCSet.h"

#include <algorithm>

namespace lirava {

CCSet* CCSet::create() {
    CCSet* set = new CCSet();
    set->autorelease();
    return set;
}

CCSet::~CCSet() {
    removeAllObjects();
}

void CCSet::addObject(CCObject* object) {
    if (object && !containsObject(object)) {
        object->retain();
        m_objects.push_back(object);
    }
}

void CCSet::removeObject(CCObject* object) {
    auto it = std::find(m_objects.begin(), m_objects.end(), object);
    if (it != m_objects.end()) {
        m_objects.erase(it);
        object->release();
    }
}

void CCSet::removeAllObjects() {
    std::vector<CCObject*> old;
    old.swap(m_objects);
    for (CCObject* object : old) {
        object->release();
    }
}

bool CCSet::containsObject(const CCObject* object) const {
    return std::find(m_objects.begin(), m_objects.end(), object) != m_objects.end();
}

}  // namespace lirava
