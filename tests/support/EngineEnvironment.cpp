#include "support/EngineEnvironment.h"

#include "engine/base/CCAutoreleasePool.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/render/FontRasterizer.h"

namespace lirava::test {

void EngineEnvironment::SetUp() {
    CCFileUtils::sharedFileUtils()->setResourceRoot(LIRAVA_SOURCE_DIR "/book");
    // Made up front so that live-object counts taken inside tests do not include it.
    CCDirector::sharedDirector();
}

void EngineEnvironment::TearDown() {
    drainAutoreleasePool();
    // The font matcher keeps some of its memory where leak checking cannot see it.
    FontRasterizer::releaseSharedFallbacks();
}

void drainAutoreleasePool() {
    CCPoolManager::sharedPoolManager()->pop();
}

}  // namespace lirava::test
