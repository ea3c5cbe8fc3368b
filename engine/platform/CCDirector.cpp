#include "engine/platform/CCDirector.h"

#include "engine/actions/CCActionManager.h"
#include "engine/actions/CCScheduler.h"

namespace lirava {

namespace {
CCDirector* g_director = nullptr;
}

CCDirector* CCDirector::sharedDirector() {
    if (!g_director) {
        g_director = new CCDirector();
    }
    return g_director;
}

void CCDirector::purgeDirector() {
    if (g_director) {
        g_director->release();
        g_director = nullptr;
    }
}

CCDirector::CCDirector() {
    m_scheduler = new CCScheduler();
    m_actionManager = new CCActionManager();
    m_scheduler->scheduleUpdateForTarget(m_actionManager, kCCPrioritySystem, false);
}

CCDirector::~CCDirector() {
    m_scheduler->unscheduleAll();
    m_actionManager->release();
    m_scheduler->release();
}

}  // namespace lirava
