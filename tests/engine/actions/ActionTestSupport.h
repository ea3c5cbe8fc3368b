#pragma once

#include <gtest/gtest.h>

#include "engine/actions/CCAction.h"
#include "engine/actions/CCActionManager.h"
#include "engine/nodes/CCNode.h"
#include "support/EngineEnvironment.h"

namespace lirava::test {

constexpr float kFrame = 1.0f / 60.0f;

// Drains the autorelease pool after each test, so that objects one test leaves to the pool
// do not show up in the live-object counts of the next.
class PoolDrainingTest : public ::testing::Test {
protected:
    void TearDown() override { drainAutoreleasePool(); }
};

// Runs actions on a private action manager, frame by frame, as the director would.
class ActionRunner {
public:
    ActionRunner() : m_manager(new CCActionManager()) {}
    ~ActionRunner() { m_manager->release(); }

    void run(CCAction* action, CCNode* node) { m_manager->addAction(action, node, false); }
    void frames(int count, float dt = kFrame) {
        for (int i = 0; i < count; ++i) {
            m_manager->update(dt);
        }
    }
    unsigned int running(CCNode* node) const { return m_manager->numberOfRunningActionsInTarget(node); }

private:
    CCActionManager* m_manager;
};

}  // namespace lirava::test
