#include <gtest/gtest.h>

#include "engine/actions/Actions.h"
#include "engine/nodes/CCNodeRGBA.h"
#include "support/EngineEnvironment.h"
#include "tests/engine/actions/ActionTestSupport.h"

namespace lirava {
namespace {

class IntervalActions : public test::PoolDrainingTest {};

using test::ActionRunner;

TEST_F(IntervalActions, MoveToStartsWhereTheTargetIsWhenItStarts) {
    ActionRunner runner;
    CCNode* node = CCNode::create();
    node->setPosition(ccp(10, 10));
    CCMoveTo* move = CCMoveTo::create(1.0f, ccp(110, 210));
    runner.run(move, node);
    runner.frames(1);  // the first frame starts the clock at 0
    EXPECT_EQ(node->getPosition(), ccp(10, 10));
    runner.frames(30);
    EXPECT_NEAR(node->getPositionX(), 60.0f, 0.01f);
    EXPECT_NEAR(node->getPositionY(), 110.0f, 0.01f);
    runner.frames(40);
    EXPECT_EQ(node->getPosition(), ccp(110, 210));
    EXPECT_EQ(runner.running(node), 0u);
}

TEST_F(IntervalActions, ByActionsAddToTheStateAtTheirStart) {
    ActionRunner runner;
    CCNode* node = CCNode::create();
    node->setPosition(ccp(5, 5));
    node->setScale(2.0f);
    node->setRotation(30.0f);
    runner.run(CCMoveBy::create(0.5f, ccp(10, -5)), node);
    runner.run(CCScaleBy::create(0.5f, 1.5f, 0.5f), node);
    runner.run(CCRotateBy::create(0.5f, 90.0f), node);
    runner.frames(40);
    EXPECT_EQ(node->getPosition(), ccp(15, 0));
    EXPECT_FLOAT_EQ(node->getScaleX(), 3.0f);
    EXPECT_FLOAT_EQ(node->getScaleY(), 1.0f);
    EXPECT_FLOAT_EQ(node->getRotation(), 120.0f);
}

TEST_F(IntervalActions, ScaleToReachesBothScales) {
    ActionRunner runner;
    CCNode* node = CCNode::create();
    runner.run(CCScaleTo::create(0.25f, 0.5f, 3.0f), node);
    runner.frames(20);
    EXPECT_FLOAT_EQ(node->getScaleX(), 0.5f);
    EXPECT_FLOAT_EQ(node->getScaleY(), 3.0f);
}

TEST_F(IntervalActions, RotateToTakesTheShorterWayAndEndsOnTheGivenAngle) {
    struct Case {
        float start, end, halfway;
    };
    const Case cases[] = {
        {0.0f, 90.0f, 45.0f},       {10.0f, 350.0f, 0.0f},  // 20 degrees back, not 340 forward
        {350.0f, 10.0f, 360.0f},                            // 20 degrees forward through 360
        {-170.0f, 170.0f, -180.0f},                         // across the -180/180 seam
        {720.0f, 90.0f, 765.0f},                            // whole turns in the start do not count
    };
    for (const Case& c : cases) {
        CCNode* node = CCNode::create();
        node->setRotation(c.start);
        CCRotateTo* rotate = CCRotateTo::create(1.0f, c.end);
        rotate->startWithTarget(node);
        rotate->update(0.5f);
        EXPECT_NEAR(node->getRotation(), c.halfway, 0.001f) << c.start << " -> " << c.end;
        rotate->update(1.0f);
        EXPECT_FLOAT_EQ(node->getRotation(), c.end);
    }
}

TEST_F(IntervalActions, FadeAndTintActOnColourTargetsOnly) {
    ActionRunner runner;
    CCNodeRGBA* coloured = CCNodeRGBA::create();
    coloured->setOpacity(200);
    coloured->setColor(ccc3(0, 100, 255));
    runner.run(CCFadeTo::create(1.0f, 100), coloured);
    runner.run(CCTintTo::create(1.0f, 255, 100, 0), coloured);
    runner.frames(31);
    EXPECT_NEAR(coloured->getOpacity(), 150, 1);
    EXPECT_NEAR(coloured->getColor().r, 128, 1);
    EXPECT_EQ(coloured->getColor().g, 100);
    EXPECT_NEAR(coloured->getColor().b, 128, 1);
    runner.frames(40);
    EXPECT_EQ(coloured->getOpacity(), 100);
    EXPECT_EQ(coloured->getColor(), ccc3(255, 100, 0));

    // A plain node has no colour: the actions run their time and change nothing.
    CCNode* plain = CCNode::create();
    runner.run(CCFadeTo::create(0.1f, 0), plain);
    runner.run(CCTintTo::create(0.1f, 1, 2, 3), plain);
    runner.frames(10);
    EXPECT_EQ(runner.running(plain), 0u);
}

TEST_F(IntervalActions, FadeInAndOutSpanTheWholeRange) {
    ActionRunner runner;
    CCNodeRGBA* node = CCNodeRGBA::create();
    node->setOpacity(77);
    runner.run(CCFadeIn::create(0.2f), node);
    runner.frames(1);
    EXPECT_EQ(node->getOpacity(), 0);
    runner.frames(20);
    EXPECT_EQ(node->getOpacity(), 255);
    runner.run(CCFadeOut::create(0.2f), node);
    runner.frames(20);
    EXPECT_EQ(node->getOpacity(), 0);
}

TEST_F(IntervalActions, ZeroAndNegativeDurationsCompleteOnTheFirstStep) {
    for (float duration : {0.0f, -1.0f, -10.0f}) {
        ActionRunner runner;
        CCNode* node = CCNode::create();
        node->setPosition(ccp(1, 1));
        runner.run(CCMoveTo::create(duration, ccp(50, 60)), node);
        runner.run(CCScaleTo::create(duration, 4.0f), node);
        runner.frames(1);
        EXPECT_EQ(node->getPosition(), ccp(50, 60)) << duration;
        EXPECT_FLOAT_EQ(node->getScale(), 4.0f);
        EXPECT_EQ(runner.running(node), 0u);
    }
}

TEST_F(IntervalActions, DelayTimeLastsItsDurationAndChangesNothing) {
    ActionRunner runner;
    CCNode* node = CCNode::create();
    node->setPosition(ccp(3, 4));
    runner.run(CCDelayTime::create(0.5f), node);
    runner.frames(30);
    EXPECT_EQ(runner.running(node), 1u);
    runner.frames(1);
    EXPECT_EQ(runner.running(node), 0u);
    EXPECT_EQ(node->getPosition(), ccp(3, 4));
}

TEST_F(IntervalActions, CopiesAreUnstartedAndIndependent) {
    const std::size_t before = CCObject::liveObjectCount();
    {
        ActionRunner runner;
        CCNode* a = CCNode::create();
        CCNode* b = CCNode::create();
        b->setPosition(ccp(100, 0));
        CCMoveBy* move = CCMoveBy::create(1.0f, ccp(10, 0));
        runner.run(move, a);
        runner.frames(31);

        CCMoveBy* copy = static_cast<CCMoveBy*>(move->copy());
        EXPECT_EQ(copy->retainCount(), 1u);
        EXPECT_EQ(copy->getTarget(), nullptr);
        EXPECT_FLOAT_EQ(copy->getElapsed(), 0.0f);
        EXPECT_FLOAT_EQ(copy->getDuration(), 1.0f);
        runner.run(copy, b);
        copy->release();
        runner.frames(61);
        EXPECT_EQ(a->getPosition(), ccp(10, 0));
        EXPECT_EQ(b->getPosition(), ccp(110, 0));
    }
    test::drainAutoreleasePool();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST_F(IntervalActions, ReversesUndoTheirActions) {
    CCNode* node = CCNode::create();
    node->setPosition(ccp(7, 7));
    node->setRotation(10.0f);
    node->setScale(2.0f);
    CCFiniteTimeAction* actions[] = {CCMoveBy::create(1.0f, ccp(3, -4)), CCRotateBy::create(1.0f, 45.0f),
                                     CCScaleBy::create(1.0f, 4.0f)};
    for (CCFiniteTimeAction* action : actions) {
        action->startWithTarget(node);
        action->update(1.0f);
        CCFiniteTimeAction* back = action->reverse();
        ASSERT_NE(back, nullptr);
        EXPECT_FLOAT_EQ(back->getDuration(), 1.0f);
        back->startWithTarget(node);
        back->update(1.0f);
    }
    EXPECT_EQ(node->getPosition(), ccp(7, 7));
    EXPECT_FLOAT_EQ(node->getRotation(), 10.0f);
    EXPECT_FLOAT_EQ(node->getScale(), 2.0f);
    EXPECT_EQ(CCScaleBy::create(1.0f, 0.0f)->reverse(), nullptr);
    EXPECT_EQ(CCMoveTo::create(1.0f, ccp(1, 1))->reverse(), nullptr);
    EXPECT_FLOAT_EQ(CCDelayTime::create(0.3f)->reverse()->getDuration(), 0.3f);
}

}  // namespace
}  // namespace lirava
