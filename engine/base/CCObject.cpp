#include "engine/base/CCObject.h"

#include <cassert>

#include "engine/base/CCAutoreleasePool.h"

namespace lirava {

namespace {
std::size_t g_liveObjects = 0;
}

CCObject::CCObject() {
    ++g_liveObjects;
}

CCObject::~CCObject() {
    --g_liveObjects;
}

void CCObject::retain() {
    assert(m_referenceCount > 0 && "retain of a released object");
    ++m_referenceCount;
}

void CCObject::release() {
    assert(m_referenceCount > 0 && "release of a released object");
    if (--m_referenceCount == 0) {
        delete this;
    }
}

CCObject* CCObject::autorelease() {
    CCPoolManager::sharedPoolManager()->getCurrentPool()->addObject(this);
    return this;
}

CCObject* CCObject::copy() {
    return nullptr;
}

std::size_t CCObject::liveObjectCount() {
    return g_liveObjects;
}

}  // namespace lirava
