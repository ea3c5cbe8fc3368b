#include "engine/base/CCArray.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace lirava {

CCArray* CCArray::create() {
    CCArray* array = new CCArray();
    array->autorelease();
    return array;
}

CCArray* CCArray::createWithCapacity(unsigned int capacity) {
    CCArray* array = create();
    array->m_data.reserve(capacity);
    return array;
}

CCArray* CCArray::createWithArray(CCArray* other) {
    CCArray* array = create();
    if (other) {
        array->addObjectsFromArray(other);
    }
    return array;
}

CCArray::~CCArray() {
    removeAllObjects();
}

CCObject* CCArray::objectAtIndex(unsigned int index) const {
    return index < m_data.size() ? m_data[index] : nullptr;
}

CCObject* CCArray::lastObject() const {
    return m_data.empty() ? nullptr : m_data.back();
}

CCObject* CCArray::randomObject() const {
    return m_data.empty() ? nullptr : m_data[static_cast<std::size_t>(std::rand()) % m_data.size()];
}

bool CCArray::containsObject(const CCObject* object) const {
    return indexOfObject(object) != UINT_MAX;
}

unsigned int CCArray::indexOfObject(const CCObject* object) const {
    auto it = std::find(m_data.begin(), m_data.end(), object);
    return it == m_data.end() ? UINT_MAX : static_cast<unsigned int>(it - m_data.begin());
}

void CCArray::addObject(CCObject* object) {
    if (!object) {
        return;
    }
    object->retain();
    m_data.push_back(object);
}

void CCArray::addObjectsFromArray(const CCArray* other) {
    if (!other || other == this) {
        return;
    }
    for (CCObject* object : other->m_data) {
        addObject(object);
    }
}

void CCArray::insertObject(CCObject* object, unsigned int index) {
    if (!object) {
        return;
    }
    object->retain();
    m_data.insert(m_data.begin() + std::min<std::size_t>(index, m_data.size()), object);
}

void CCArray::removeObject(CCObject* object) {
    const unsigned int index = indexOfObject(object);
    if (index != UINT_MAX) {
        removeObjectAtIndex(index);
    }
}

void CCArray::removeObjectAtIndex(unsigned int index) {
    if (index >= m_data.size()) {
        return;
    }
    CCObject* object = m_data[index];
    m_data.erase(m_data.begin() + index);
    object->release();
}

void CCArray::removeLastObject() {
    if (!m_data.empty()) {
        removeObjectAtIndex(count() - 1);
    }
}

void CCArray::removeAllObjects() {
    // Releasing may run destructors that look at this array; empty it first.
    std::vector<CCObject*> old;
    old.swap(m_data);
    for (CCObject* object : old) {
        object->release();
    }
}

void CCArray::exchangeObjectAtIndex(unsigned int index1, unsigned int index2) {
    if (index1 < m_data.size() && index2 < m_data.size()) {
        std::swap(m_data[index1], m_data[index2]);
    }
}

void CCArray::reverseObjects() {
    std::reverse(m_data.begin(), m_data.end());
}

CCObject* CCArray::copy() {
    CCArray* array = new CCArray();
    array->addObjectsFromArray(this);
    return array;
}

}  // namespace lirava
