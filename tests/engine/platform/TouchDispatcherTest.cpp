#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/base/CCSet.h"
#include "engine/platform/CCTouch.h"
#include "engine/platform/CCTouchDelegate.h"
#include "engine/platform/CCTouchDispatcher.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

using Log = std::vector<std::string>;

// Records every callback as "name:phase" (targeted) or "name:phases(n)" (standard, n touches).
class Recorder : public CCObject, public CCTouchDelegate {
public:
    Recorder(Log& log, std::string name, bool claims = true) : m_log(log), m_name(std::move(name)), m_claims(claims) {}

    bool ccTouchBegan(CCTouch*, CCEvent*) override {
        m_log.push_back(m_name + ":began");
        if (onBegan) {
            onBegan();
        }
        return m_claims;
    }
    void ccTouchMoved(CCTouch*, CCEvent*) override { m_log.push_back(m_name + ":moved"); }
    void ccTouchEnded(CCTouch*, CCEvent*) override { m_log.push_back(m_name + ":ended"); }
    void ccTouchCancelled(CCTouch*, CCEvent*) override { m_log.push_back(m_name + ":cancelled"); }
    void ccTouchesBegan(CCSet* touches, CCEvent*) override { record("began", touches); }
    void ccTouchesMoved(CCSet* touches, CCEvent*) override {
        record("moved", touches);
        if (onMoved) {
            onMoved();
        }
    }
    void ccTouchesEnded(CCSet* touches, CCEvent*) override { record("ended", touches); }
    void ccTouchesCancelled(CCSet* touches, CCEvent*) override { record("cancelled", touches); }

    std::function<void()> onBegan;
    std::function<void()> onMoved;

private:
    void record(const char* phase, CCSet* touches) {
        m_log.push_back(m_name + ":" + phase + "s(" + std::to_string(touches->count()) + ")");
    }
    Log& m_log;
    std::string m_name;
    bool m_claims;
};

class TouchDispatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        dispatcher = new CCTouchDispatcher();
        touch = new CCTouch();
        touch->setTouchInfo(0, CCPoint(10, 20));
    }
    void TearDown() override {
        for (Recorder* r : recorders) {
            r->release();
        }
        touch->release();
        dispatcher->release();
        test::drainAutoreleasePool();
    }
    Recorder* make(const std::string& name, bool claims = true) {
        recorders.push_back(new Recorder(log, name, claims));
        return recorders.back();
    }
    CCSet* set(CCTouch* t) {
        CCSet* s = CCSet::create();
        s->addObject(t);
        return s;
    }
    void began(CCTouch* t) { dispatcher->touchesBegan(set(t), nullptr); }
    void moved(CCTouch* t) { dispatcher->touchesMoved(set(t), nullptr); }
    void ended(CCTouch* t) { dispatcher->touchesEnded(set(t), nullptr); }

    Log log;
    CCTouchDispatcher* dispatcher = nullptr;
    CCTouch* touch = nullptr;
    std::vector<Recorder*> recorders;
};

TEST_F(TouchDispatcherTest, TargetedBeforeStandardByPriorityThenRegistrationOrder) {
    dispatcher->addStandardDelegate(make("s5"), 5);
    dispatcher->addStandardDelegate(make("s0"), 0);
    dispatcher->addTargetedDelegate(make("t1a", false), 1, false);
    dispatcher->addTargetedDelegate(make("t-3", false), -3, false);
    dispatcher->addTargetedDelegate(make("t1b", false), 1, false);
    began(touch);
    EXPECT_EQ(log, (Log{"t-3:began", "t1a:began", "t1b:began", "s0:begans(1)", "s5:begans(1)"}));

    // A priority change re-sorts, keeping registration order among equals.
    log.clear();
    dispatcher->setPriority(1, recorders[3]);  // t-3 moves behind t1a (registered before it)
    CCTouch* second = new CCTouch();
    began(second);
    second->release();
    EXPECT_EQ(log, (Log{"t1a:began", "t-3:began", "t1b:began", "s0:begans(1)", "s5:begans(1)"}));
}

TEST_F(TouchDispatcherTest, ClaimedTouchGoesToItsClaimersAndSwallowingHidesItFromLaterHandlers) {
    dispatcher->addTargetedDelegate(make("declines", false), -10, false);
    dispatcher->addTargetedDelegate(make("shares"), -5, false);
    dispatcher->addTargetedDelegate(make("swallows"), 0, true);
    dispatcher->addTargetedDelegate(make("late"), 5, false);
    dispatcher->addStandardDelegate(make("std"), 0);
    began(touch);
    moved(touch);
    ended(touch);
    EXPECT_EQ(log, (Log{"declines:began", "shares:began", "swallows:began", "shares:moved", "swallows:moved",
                        "shares:ended", "swallows:ended"}));

    // Without a swallower the standard handler gets the touch through all its phases.
    log.clear();
    dispatcher->removeDelegate(recorders[2]);
    CCTouch* next = new CCTouch();
    began(next);
    moved(next);
    ended(next);
    next->release();
    EXPECT_EQ(log, (Log{"declines:began", "shares:began", "late:began", "std:begans(1)", "shares:moved", "late:moved",
                        "std:moveds(1)", "shares:ended", "late:ended", "std:endeds(1)"}));
}

TEST_F(TouchDispatcherTest, PhasesOfTouchesThatNeverBeganAreDropped) {
    dispatcher->addTargetedDelegate(make("t"), 0, false);
    dispatcher->addStandardDelegate(make("s"), 0);
    moved(touch);
    ended(touch);
    EXPECT_TRUE(log.empty());
    // And an ended touch is forgotten: a stray second end goes nowhere.
    began(touch);
    ended(touch);
    log.clear();
    ended(touch);
    EXPECT_TRUE(log.empty());
}

TEST_F(TouchDispatcherTest, ChangesDuringADispatchTakeEffectAfterIt) {
    Recorder* first = make("first");
    Recorder* second = make("second");
    Recorder* newcomer = make("newcomer");
    dispatcher->addTargetedDelegate(first, 0, false);
    dispatcher->addTargetedDelegate(second, 1, false);
    first->onBegan = [&] {
        dispatcher->removeDelegate(second);
        dispatcher->addTargetedDelegate(newcomer, -1, false);
    };
    began(touch);
    // The removed handler still gets this touch's beginning; the new one does not.
    EXPECT_EQ(log, (Log{"first:began", "second:began"}));
    EXPECT_FALSE(dispatcher->isRegistered(second));
    EXPECT_TRUE(dispatcher->isRegistered(newcomer));

    // A remove and an add of the same delegate in one dispatch leave a fresh registration.
    log.clear();
    first->onBegan = [&] {
        dispatcher->removeDelegate(newcomer);
        dispatcher->addStandardDelegate(newcomer, 0);
    };
    CCTouch* next = new CCTouch();
    began(next);
    next->release();
    EXPECT_EQ(log, (Log{"newcomer:began", "first:began"}));
    EXPECT_TRUE(dispatcher->isRegistered(newcomer));
    EXPECT_EQ(dispatcher->delegateCount(), 2u);
}

TEST_F(TouchDispatcherTest, DelegatesAreRetainedWhileRegisteredAndAddedOnce) {
    Recorder* r = make("r");
    dispatcher->addTargetedDelegate(r, 0, true);
    dispatcher->addStandardDelegate(r, 0);  // already registered: ignored
    EXPECT_EQ(r->retainCount(), 2u);
    EXPECT_EQ(dispatcher->delegateCount(), 1u);
    dispatcher->removeAllDelegates();
    EXPECT_EQ(r->retainCount(), 1u);
    EXPECT_EQ(dispatcher->delegateCount(), 0u);
}

TEST_F(TouchDispatcherTest, SwitchingDispatchOffCancelsTouchesForTheirHandlersOnly) {
    dispatcher->addTargetedDelegate(make("claimer"), 0, false);
    dispatcher->addTargetedDelegate(make("decliner", false), 1, false);
    dispatcher->addStandardDelegate(make("std"), 0);
    began(touch);
    log.clear();

    dispatcher->setDispatchEvents(false);
    EXPECT_EQ(log, (Log{"claimer:cancelled", "std:cancelleds(1)"}));

    // While off nothing is delivered, and after switching back on the rest of the cancelled
    // touch is dropped: no handler sees a half touch.
    log.clear();
    moved(touch);
    CCTouch* during = new CCTouch();
    began(during);
    dispatcher->setDispatchEvents(true);
    moved(touch);
    ended(touch);
    moved(during);
    ended(during);
    during->release();
    EXPECT_TRUE(log.empty());

    CCTouch* after = new CCTouch();
    began(after);
    after->release();
    EXPECT_EQ(log, (Log{"claimer:began", "decliner:began", "std:begans(1)"}));
}

TEST_F(TouchDispatcherTest, SwitchingOffInsideAHandlerStopsTheDispatchAndCancelsAfterIt) {
    Recorder* first = make("first");
    dispatcher->addTargetedDelegate(first, 0, false);
    dispatcher->addStandardDelegate(make("std"), 0);
    began(touch);
    log.clear();
    // A handler that starts a transition in the middle of a move.
    first->onBegan = nullptr;
    Recorder* mover = recorders[1];
    mover->onMoved = [&] { dispatcher->setDispatchEvents(false); };
    moved(touch);
    EXPECT_EQ(log, (Log{"first:moved", "std:moveds(1)", "first:cancelled", "std:cancelleds(1)"}));
}

TEST_F(TouchDispatcherTest, TouchesAndDelegatesSurviveHandlersThatDropThem) {
    const std::size_t before = CCObject::liveObjectCount();
    Recorder* selfRemoving = new Recorder(log, "self");
    dispatcher->addTargetedDelegate(selfRemoving, 0, false);
    selfRemoving->release();  // the dispatcher holds the only reference now
    selfRemoving->onBegan = [&] { dispatcher->removeDelegate(selfRemoving); };
    began(touch);
    EXPECT_EQ(log, (Log{"self:began"}));
    EXPECT_EQ(dispatcher->delegateCount(), 0u);
    ended(touch);
    test::drainAutoreleasePool();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

}  // namespace
}  // namespace lirava
