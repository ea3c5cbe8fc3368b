#include "engine/base/CCAutoreleasePool.h"

#include <algorithm>

#include "engine/base/CCObject.h"

namespace lirava {

void CCAutoreleasePool::addObject(CCObject* object) {
    m_objects.push_back(object);
    ++object->m_autoreleaseCount;
}

void CCAutoreleasePool::clear() {
    // Releasing may autorelease new objects into this same pool (a destructor that builds
    // something); those wait for the next drain instead of being released mid-walk.
    std::vector<CCObject*> draining;
    draining.swap(m_objects);
    for (CCObject* object : draining) {
        --object->m_autoreleaseCount;
        object->release();
    }
}

bool CCAutoreleasePool::contains(const CCObject* object) const {
    return std::find(m_objects.begin(), m_objects.end(), object) != m_objects.end();
}

namespace {
CCPoolManager* g_poolManager = nullptr;
}

CCPoolManager* CCPoolManager::sharedPoolManager() {
    if (!g_poolManager) {
        g_poolManager = new CCPoolManager();
    }
    return g_poolManager;
}

void CCPoolManager::purgePoolManager() {
    delete g_poolManager;
    g_poolManager = nullptr;
}

CCPoolManager::CCPoolManager() {
    m_pools.push_back(new CCAutoreleasePool());
}

CCPoolManager::~CCPoolManager() {
    drainAll();
    for (CCAutoreleasePool* pool : m_pools) {
        delete pool;
    }
}

CCAutoreleasePool* CCPoolManager::getCurrentPool() {
    return m_pools.back();
}

void CCPoolManager::push() {
    m_pools.push_back(new CCAutoreleasePool());
}

void CCPoolManager::pop() {
    CCAutoreleasePool* pool = m_pools.back();
    if (m_pools.size() == 1) {
        pool->clear();
        return;
    }
    // This pool goes away: what its releases autorelease into it (a destructor that builds a
    // temporary array) is released here too, or it would be lost with the pool.
    while (pool->size() > 0) {
        pool->clear();
    }
    m_pools.pop_back();
    delete pool;
}

void CCPoolManager::drainAll() {
    // Releasing can autorelease more objects; keep draining until every pool stays empty.
    bool drained = false;
    while (!drained) {
        drained = true;
        for (auto it = m_pools.rbegin(); it != m_pools.rend(); ++it) {
            if ((*it)->size() > 0) {
                (*it)->clear();
                drained = false;
            }
        }
    }
}

}  // namespace lirava
