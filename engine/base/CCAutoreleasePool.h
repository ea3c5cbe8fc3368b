#pragma once

#include <vector>

namespace lirava {

class CCObject;

// Holds references handed over by autorelease() and drops them when drained. The director
// drains the current pool once per frame; tests and tools may push a pool of their own.
class CCAutoreleasePool {
public:
    void addObject(CCObject* object);
    // Releases every object once per autorelease() call it received, in the order they came.
    void clear();
    bool contains(const CCObject* object) const;
    std::size_t size() const { return m_objects.size(); }

private:
    std::vector<CCObject*> m_objects;
};

class CCPoolManager {
public:
    static CCPoolManager* sharedPoolManager();
    static void purgePoolManager();

    CCAutoreleasePool* getCurrentPool();
    void push();
    // Drains the current pool and removes it, releasing also what the drain itself autoreleases
    // into it; the outermost pool is drained once and kept (what the drain autoreleases waits for
    // the next drain).
    void pop();
    // Drains every pool, innermost first (used at shutdown).
    void drainAll();

private:
    CCPoolManager();
    ~CCPoolManager();
    std::vector<CCAutoreleasePool*> m_pools;
};

}  // namespace lirava
