#include <gtest/gtest.h>

#include <vector>

#include "engine/actions/CCActionInterval.h"
#include "engine/actions/CCActionManager.h"
#include "engine/nodes/CCNode.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

// Moves its target's x from 0 to 100 over its duration and records every progress value.
class Probe : public CCActionInterval {
public:
    static Probe* create(float duration, std::vector<float>* log) {
        Probe* p = new Probe();
        p->initWithDuration(duration);
        p->m_log = log;
        p->autorelease();
        return p;
    }
    void update(float t) override {
        m_log->push_back(t);
        m_target->setPositionX(100.0f * t);
    }

private:
    std::vector<float>* m_log = nullptr;
};

// Stops every action of its target on its first step.
class Stopper : public CCActionInterval {
public:
    static Stopper* create() {
        Stopper* s = new Stopper();
        s->initWithDuration(1.0f);
        s->autorelease();
        return s;
    }
    void update(float) override { m_target->stopAllActions(); }
};

TEST(ActionManager, IntervalActionsRunTheirDurationAndEndExactlyOnTarget) {
    const std::size_t before = CCObject::liveObjectCount();
    {
        CCActionManager manager;
        std::vector<float> log;
        CCNode* node = CCNode::create();
        manager.addAction(Probe::create(0.1f, &log), node, false);
        test::drainAutoreleasePool();  // the manager's references keep both alive
        EXPECT_EQ(manager.numberOfRunningActionsInTarget(node), 1u);
        for (int i = 0; i < 10; ++i)
            manager.update(1.0f / 60.0f);
        EXPECT_EQ(manager.numberOfRunningActionsInTarget(node), 0u);
        ASSERT_EQ(log.size(), 7u);  // 0, then six frames to reach 0.1 s
        EXPECT_FLOAT_EQ(log.front(), 0.0f);
        EXPECT_FLOAT_EQ(log.back(), 1.0f);
    }
    test::drainAutoreleasePool();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST(ActionManager, AnActionMayRemoveEveryActionOfItsTargetWhileStepping) {
    const std::size_t before = CCObject::liveObjectCount();
    {
        CCActionManager* manager = new CCActionManager();
        std::vector<float> log;
        CCNode* node = CCNode::create();
        node->setActionManager(manager);
        node->onEnter();  // actions of a node that is not on stage start paused
        node->runAction(Stopper::create());
        node->runAction(Probe::create(1.0f, &log));
        manager->update(1.0f / 60.0f);
        EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
        EXPECT_TRUE(log.empty());
        node->onExit();
        test::drainAutoreleasePool();
        manager->release();
    }
    test::drainAutoreleasePool();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST(ActionManager, PausedTargetsDoNotAdvanceAndTagsFindActions) {
    CCActionManager manager;
    std::vector<float> log;
    CCNode* node = CCNode::create();
    Probe* probe = Probe::create(1.0f, &log);
    probe->setTag(7);
    manager.addAction(probe, node, true);
    manager.update(0.5f);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(manager.getActionByTag(7, node), probe);
    manager.resumeTarget(node);
    manager.update(0.5f);
    manager.removeActionByTag(7, node);
    EXPECT_EQ(manager.getActionByTag(7, node), nullptr);
    EXPECT_EQ(log.size(), 1u);
    test::drainAutoreleasePool();
}

}  // namespace
}  // namespace lirava
