#pragma once

#include <cstddef>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCObject.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/render/CCTextureCache.h"

namespace lirava::test {

// Live engine objects once every pool is drained and the texture and sprite-frame caches are
// emptied: what a leak check compares, so that an image cached by one test is not counted as a
// leak of another.
inline std::size_t settledObjectCount() {
    CCPoolManager::sharedPoolManager()->drainAll();
    CCSpriteFrameCache::sharedSpriteFrameCache()->removeSpriteFrames();
    CCTextureCache::sharedTextureCache()->removeAllTextures();
    CCPoolManager::sharedPoolManager()->drainAll();
    return CCObject::liveObjectCount();
}

}  // namespace lirava::test
