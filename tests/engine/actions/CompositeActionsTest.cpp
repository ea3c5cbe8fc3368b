#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/actions/Actions.h"
#include "engine/base/CCString.h"
#include "support/EngineEnvironment.h"
#include "tests/engine/actions/ActionTestSupport.h"

namespace lirava {
namespace {

class CompositeActions : public test::PoolDrainingTest {};

using test::ActionRunner;
using test::kFrame;

// Records calls, to check that instant actions inside composites fire exactly once.
class Recorder : public CCNode {
public:
    static Recorder* create() {
        Recorder* r = new Recorder();
        r->autorelease();
        return r;
    }
    void mark() { log += "m"; }
    void markNode(CCNode* node) { log += node == lastNode ? "n" : "?"; }
    std::string log;
    CCNode* lastNode = nullptr;
};

TEST_F(CompositeActions, SequenceRunsItsActionsInTurn) {
    ActionRunner runner;
    CCNode* node = CCNode::create();
    runner.run(CCSequence::create(CCMoveBy::create(1.0f, ccp(100, 0)), CCMoveBy::create(0.5f, ccp(0, 50)), NULL), node);
    runner.frames(31);  // 0.5 s
    EXPECT_NEAR(node->getPositionX(), 50.0f, 0.01f);
    EXPECT_FLOAT_EQ(node->getPositionY(), 0.0f);
    runner.frames(45);  // 1.25 s
    EXPECT_FLOAT_EQ(node->getPositionX(), 100.0f);
    EXPECT_NEAR(node->getPositionY(), 25.0f, 0.01f);
    runner.frames(20);
    EXPECT_EQ(node->getPosition(), ccp(100, 50));
    EXPECT_EQ(runner.running(node), 0u);
}

TEST_F(CompositeActions, AFrameLongerThanAStepStillAppliesEveryStepInFull) {
    ActionRunner runner;
    CCNode* node = CCNode::create();
    CCSequence* sequence = CCSequence::create(CCMoveBy::create(0.1f, ccp(10, 0)), CCMoveBy::create(0.1f, ccp(0, 10)),
                                              CCMoveBy::create(0.1f, ccp(10, 0)), NULL);
    runner.run(sequence, node);
    runner.frames(1);
    runner.frames(1, 1.0f);
    EXPECT_EQ(node->getPosition(), ccp(20, 10));
}

TEST_F(CompositeActions, SequenceAndSpawnFromListsAndArrays) {
    EXPECT_EQ(CCSequence::create(static_cast<CCArray*>(nullptr)), nullptr);
    EXPECT_EQ(CCSequence::create(CCArray::create()), nullptr);
    EXPECT_EQ(CCSpawn::create(CCArray::create()), nullptr);
    EXPECT_EQ(CCSequence::create(static_cast<CCFiniteTimeAction*>(nullptr)), nullptr);

    // One action: a sequence (or spawn) that does just that action.
    CCArray* one = CCArray::create();
    one->addObject(CCMoveTo::create(1.0f, ccp(5, 5)));
    for (CCActionInterval* single : {static_cast<CCActionInterval*>(CCSequence::create(one)),
                                     static_cast<CCActionInterval*>(CCSpawn::create(one))}) {
        ASSERT_NE(single, nullptr);
        EXPECT_FLOAT_EQ(single->getDuration(), 1.0f);
        CCNode* node = CCNode::create();
        single->startWithTarget(node);
        single->update(1.0f);
        EXPECT_EQ(node->getPosition(), ccp(5, 5));
    }

    CCArray* three = CCArray::create();
    three->addObject(CCDelayTime::create(0.5f));
    three->addObject(CCString::create("not an action"));
    three->addObject(CCMoveBy::create(0.25f, ccp(1, 0)));
    three->addObject(CCMoveBy::create(1.0f, ccp(0, 1)));
    EXPECT_FLOAT_EQ(CCSequence::create(three)->getDuration(), 1.75f);
    EXPECT_FLOAT_EQ(CCSpawn::create(three)->getDuration(), 1.0f);
    // The variadic form stops at the first null.
    EXPECT_FLOAT_EQ(CCSequence::create(CCDelayTime::create(1.0f), NULL, CCDelayTime::create(5.0f))->getDuration(),
                    1.0f);
}

TEST_F(CompositeActions, SpawnRunsTogetherAndPadsTheShorterActions) {
    ActionRunner runner;
    CCNode* node = CCNode::create();
    runner.run(CCSpawn::create(CCMoveBy::create(0.5f, ccp(100, 0)), CCRotateBy::create(1.0f, 90.0f),
                               CCScaleTo::create(0.25f, 2.0f), NULL),
               node);
    runner.frames(16);  // 0.25 s
    EXPECT_NEAR(node->getPositionX(), 50.0f, 0.01f);
    EXPECT_NEAR(node->getRotation(), 22.5f, 0.01f);
    EXPECT_FLOAT_EQ(node->getScale(), 2.0f);
    runner.frames(15);  // 0.5 s
    EXPECT_FLOAT_EQ(node->getPositionX(), 100.0f);
    runner.frames(35);
    EXPECT_FLOAT_EQ(node->getRotation(), 90.0f);
    EXPECT_EQ(runner.running(node), 0u);
}

TEST_F(CompositeActions, NegativeDurationsInsideCompositesCountAsZero) {
    // UI animations build steps with negative durations when key frames are out of order.
    CCArray* steps = CCArray::create();
    steps->addObject(CCMoveTo::create(-1.0f, ccp(10, 0)));
    steps->addObject(CCMoveTo::create(1.0f, ccp(20, 0)));
    CCSequence* sequence = CCSequence::create(steps);
    EXPECT_FLOAT_EQ(sequence->getDuration(), 1.0f);
    CCSpawn* spawn = CCSpawn::createWithTwoActions(sequence, CCMoveTo::create(-2.0f, ccp(0, 0)));
    EXPECT_FLOAT_EQ(spawn->getDuration(), 1.0f);

    ActionRunner runner;
    CCNode* node = CCNode::create();
    runner.run(CCSequence::create(steps), node);
    runner.frames(1);
    EXPECT_EQ(node->getPosition(), ccp(10, 0));
    runner.frames(61);
    EXPECT_EQ(node->getPosition(), ccp(20, 0));
}

TEST_F(CompositeActions, InstantActionsInsideCompositesFireOnce) {
    ActionRunner runner;
    Recorder* recorder = Recorder::create();
    recorder->lastNode = recorder;
    runner.run(CCSequence::create(
                   CCCallFunc::create(recorder, callfunc_selector(Recorder::mark)), CCDelayTime::create(0.1f),
                   CCHide::create(), CCCallFuncN::create(recorder, callfuncN_selector(Recorder::markNode)),
                   CCDelayTime::create(0.1f), CCCallFunc::create(recorder, callfunc_selector(Recorder::mark)), NULL),
               recorder);
    runner.frames(1);
    EXPECT_EQ(recorder->log, "m");
    runner.frames(30);
    EXPECT_EQ(recorder->log, "mnm");
    EXPECT_FALSE(recorder->isVisible());

    // Repeated instant actions run once per repetition.
    recorder->log.clear();
    runner.run(CCRepeat::create(CCCallFunc::create(recorder, callfunc_selector(Recorder::mark)), 3), recorder);
    runner.frames(5);
    EXPECT_EQ(recorder->log, "mmm");
}

TEST_F(CompositeActions, RepeatRunsItsActionAgainFromWhereItEnded) {
    ActionRunner runner;
    CCNode* node = CCNode::create();
    runner.run(CCRepeat::create(CCMoveBy::create(0.5f, ccp(10, 0)), 3), node);
    runner.frames(46);  // 0.75 s
    EXPECT_NEAR(node->getPositionX(), 15.0f, 0.01f);
    runner.frames(60);
    EXPECT_FLOAT_EQ(node->getPositionX(), 30.0f);
    EXPECT_EQ(runner.running(node), 0u);
    EXPECT_EQ(CCRepeat::create(nullptr, 2), nullptr);
}

TEST_F(CompositeActions, RepeatForeverCarriesLeftoverTimeIntoTheNextRun) {
    ActionRunner runner;
    CCNode* node = CCNode::create();
    runner.run(CCRepeatForever::create(
                   CCSequence::create(CCMoveTo::create(0.0f, ccp(0, 0)), CCMoveBy::create(1.0f, ccp(100, 0)), NULL)),
               node);
    runner.frames(1);
    runner.frames(1, 1.25f);  // one whole run and a quarter of the next
    EXPECT_NEAR(node->getPositionX(), 25.0f, 0.01f);
    runner.frames(1, 1000.0f);  // a huge frame does not hang
    EXPECT_EQ(runner.running(node), 1u);
    EXPECT_EQ(CCRepeatForever::create(nullptr), nullptr);
}

TEST_F(CompositeActions, ReversedCompositesRetraceTheirPath) {
    CCNode* node = CCNode::create();
    CCSequence* path = CCSequence::create(
        CCMoveBy::create(1.0f, ccp(10, 0)), CCDelayTime::create(0.5f),
        CCSpawn::create(CCMoveBy::create(0.5f, ccp(0, 10)), CCRotateBy::create(1.0f, 30.0f), NULL), NULL);
    CCFiniteTimeAction* back = path->reverse();
    ASSERT_NE(back, nullptr);
    EXPECT_FLOAT_EQ(back->getDuration(), path->getDuration());

    // Sample both along the way: the reverse at time t stands where the path stood at 1 - t.
    std::vector<CCPoint> forward;
    path->startWithTarget(node);
    for (int i = 0; i <= 10; ++i) {
        path->update(i / 10.0f);
        forward.push_back(node->getPosition());
    }
    back->startWithTarget(node);
    for (int i = 0; i <= 10; ++i) {
        back->update(i / 10.0f);
        EXPECT_TRUE(node->getPosition().fuzzyEquals(forward[10 - i], 0.001f)) << i;
    }
    EXPECT_NEAR(node->getRotation(), 0.0f, 0.001f);

    EXPECT_EQ(CCSequence::create(CCMoveTo::create(1.0f, ccp(0, 0)), CCDelayTime::create(1.0f), NULL)->reverse(),
              nullptr);
    EXPECT_NE(CCRepeat::create(CCMoveBy::create(1.0f, ccp(1, 1)), 2)->reverse(), nullptr);
    EXPECT_NE(CCRepeatForever::create(CCMoveBy::create(1.0f, ccp(1, 1)))->reverse(), nullptr);
}

TEST_F(CompositeActions, DeepCopiesShareNothingWithTheOriginal) {
    const std::size_t before = CCObject::liveObjectCount();
    {
        ActionRunner runner;
        CCNode* a = CCNode::create();
        CCNode* b = CCNode::create();
        CCRepeatForever* original = CCRepeatForever::create(
            CCSequence::create(CCSpawn::create(CCEaseInOut::create(CCMoveBy::create(1.0f, ccp(10, 0)), 2.0f),
                                               CCFadeTo::create(0.5f, 0), NULL),
                               CCMoveBy::create(1.0f, ccp(-10, 0)), NULL));
        runner.run(original, a);
        runner.frames(90);
        CCRepeatForever* copy = static_cast<CCRepeatForever*>(original->copy());
        runner.run(copy, b);
        copy->release();
        runner.frames(1);
        EXPECT_EQ(b->getPosition(), ccp(0, 0));  // the copy starts afresh
        runner.frames(60);
        EXPECT_FLOAT_EQ(b->getPositionX(), 10.0f);
        EXPECT_NEAR(a->getPositionX(), 5.0f, 0.01f);  // 2.5 s: half-way through the second run
    }
    test::drainAutoreleasePool();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST_F(CompositeActions, NestedEasesInsideSpawnsInsideSequencesLandOnTarget) {
    ActionRunner runner;
    CCNode* node = CCNode::create();
    runner.run(CCSequence::create(CCSpawn::create(CCEaseElasticOut::create(CCMoveTo::create(0.5f, ccp(100, 0)), 0.35f),
                                                  CCEaseIn::create(CCScaleTo::create(0.3f, 3.0f), 2.5f), NULL),
                                  CCEaseOut::create(CCRotateTo::create(0.2f, 45.0f), 3.0f), NULL),
               node);
    runner.frames(20);
    EXPECT_FLOAT_EQ(node->getScale(), 3.0f);
    runner.frames(40);
    EXPECT_EQ(node->getPosition(), ccp(100, 0));
    EXPECT_FLOAT_EQ(node->getRotation(), 45.0f);
}

// The home screen's figure: ease(MoveBy 3 s), 0.25 s pause, back, pause, forever.
TEST_F(CompositeActions, HomeFigureGlidesBackAndForth) {
    ActionRunner runner;
    CCNode* figure = CCNode::create();
    figure->setPosition(ccp(60, 96));
    CCMoveBy* move = CCMoveBy::create(3.0f, ccp(510, 0));
    CCDelayTime* delay = CCDelayTime::create(0.25f);
    CCActionInterval* ease = CCEaseInOut::create(static_cast<CCActionInterval*>(move->copy()->autorelease()), 1.0f);
    CCFiniteTimeAction* back = ease->reverse();
    runner.run(CCRepeatForever::create(
                   CCSequence::create(ease, static_cast<CCFiniteTimeAction*>(delay->copy()->autorelease()), back,
                                      static_cast<CCFiniteTimeAction*>(delay->copy()->autorelease()), NULL)),
               figure);

    struct Sample {
        int frame;
        float x;
    };
    // Frame n of the run is at time (n - 1) / 60 s.
    const Sample samples[] = {{1, 60.0f},    {91, 315.0f}, {181, 570.0f}, {196, 570.0f},
                              {286, 315.0f}, {376, 60.0f}, {391, 60.0f},  {481, 315.0f}};
    int frame = 0;
    for (const Sample& s : samples) {
        runner.frames(s.frame - frame);
        frame = s.frame;
        EXPECT_NEAR(figure->getPositionX(), s.x, 0.05f) << "t = " << (s.frame - 1) * kFrame;
        EXPECT_FLOAT_EQ(figure->getPositionY(), 96.0f);
    }
}

}  // namespace
}  // namespace lirava
