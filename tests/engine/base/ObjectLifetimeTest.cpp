#include <gtest/gtest.h>

#include "engine/base/CCArray.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCString.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

TEST(ObjectLifetime, AutoreleasedObjectsLiveUntilTheDrainUnlessRetained) {
    const std::size_t before = CCObject::liveObjectCount();
    CCString* kept = CCString::create("kept");
    kept->retain();
    CCString::create("dropped");
    EXPECT_EQ(CCObject::liveObjectCount(), before + 2);
    test::drainAutoreleasePool();
    EXPECT_EQ(CCObject::liveObjectCount(), before + 1);
    EXPECT_EQ(kept->retainCount(), 1u);
    kept->release();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST(ObjectLifetime, ObjectsAutoreleasedWhileDrainingWaitForTheNextDrain) {
    // A destructor that autoreleases something must not re-enter the walk in progress.
    struct Spawner : CCObject {
        ~Spawner() override { CCString::create("late"); }
    };
    const std::size_t before = CCObject::liveObjectCount();
    (new Spawner())->autorelease();
    // One drain of the pool itself (the test helper drains until nothing is left).
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(CCObject::liveObjectCount(), before + 1);
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST(ObjectLifetime, ContainersRetainTheirElementsAndReleaseThemOnce) {
    const std::size_t before = CCObject::liveObjectCount();
    {
        CCArray* array = CCArray::create();
        CCDictionary* dict = CCDictionary::create();
        CCString* s = CCString::create("x");
        array->addObject(s);
        array->addObject(s);
        dict->setObject(s, "a");
        dict->setObject(s, "a");  // replacing with itself must not free it
        EXPECT_EQ(s->retainCount(), 4u);
        array->removeObjectAtIndex(0);
        dict->removeObjectForKey("a");
        EXPECT_EQ(s->retainCount(), 2u);
        EXPECT_EQ(array->count(), 1u);
        EXPECT_EQ(array->indexOfObject(s), 0u);
    }
    test::drainAutoreleasePool();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST(ObjectLifetime, NestedPoolsDrainIndependently) {
    CCPoolManager* pools = CCPoolManager::sharedPoolManager();
    const std::size_t before = CCObject::liveObjectCount();
    CCString* outer = CCString::create("outer");
    pools->push();
    CCString::create("inner");
    pools->pop();
    EXPECT_EQ(CCObject::liveObjectCount(), before + 1);
    EXPECT_EQ(outer->length(), 5u);
    test::drainAutoreleasePool();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST(ObjectLifetime, APoppedPoolReleasesWhatItsOwnDrainAutoreleases) {
    // A destructor run by the drain of a pushed pool autoreleases into that same pool; popping
    // the pool must not lose those objects with it (a widget tree released inside a pushed pool
    // left one array behind per release).
    struct Spawner : CCObject {
        ~Spawner() override { CCArray::create()->addObject(CCString::create("late")); }
    };
    CCPoolManager* pools = CCPoolManager::sharedPoolManager();
    const std::size_t before = CCObject::liveObjectCount();
    pools->push();
    (new Spawner())->autorelease();
    pools->pop();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
    EXPECT_EQ(pools->getCurrentPool()->size(), 0u);
}

}  // namespace
}  // namespace lirava
