#include "support/EngineEnvironment.h"

#include "engine/base/CCAutoreleasePool.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCFileUtils.h"

namespace lirava::test {

void EngineEnvironment::SetUp() {
    CCFileUtils::sharedFileUtils()->setResourceRoot(LIRAVA_SOURCE_DIR "/book");
    // Made up front so that live-object counts taken inside tests do not include it.
    CCDirector::sharedDirector();
}

void EngineEnvironment::TearDown() {
    drainAutoreleasePool();
}

void drainAutoreleasePool() {
    // Destructors run by a drain may autorelease objects of their own (node clean-up walks
    // copies of child lists); those belong to the same teardown, so drain until nothing is left.
    CCPoolManager* pools = CCPoolManager::sharedPoolManager();
    pools->pop();
    while (pools->getCurrentPool()->size() > 0) {
        pools->getCurrentPool()->clear();
    }
}

}  // namespace lirava::test
