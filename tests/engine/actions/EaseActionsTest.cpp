#include <gtest/gtest.h>

#include <cmath>

#include "engine/actions/Actions.h"
#include "engine/nodes/CCNode.h"
#include "support/EngineEnvironment.h"
#include "tests/engine/actions/ActionTestSupport.h"

namespace lirava {
namespace {

class EaseActions : public test::PoolDrainingTest {};

// Progress of an eased 0..1 move along x, sampled with update().
float eased(CCActionInterval* ease, float time) {
    ease->update(time);
    return ease->getTarget()->getPositionX();
}

CCActionInterval* started(CCActionInterval* ease) {
    ease->startWithTarget(CCNode::create());
    return ease;
}

CCMoveTo* unitMove() {
    return CCMoveTo::create(1.0f, ccp(1, 0));
}

TEST_F(EaseActions, EveryCurveStartsAndEndsExactly) {
    CCActionInterval* eases[] = {
        CCEaseIn::create(unitMove(), 2.0f),         CCEaseOut::create(unitMove(), 2.0f),
        CCEaseInOut::create(unitMove(), 3.0f),      CCEaseInOut::create(unitMove(), 0.0f),
        CCEaseElasticOut::create(unitMove()),       CCEaseElasticOut::create(unitMove(), 0.35f),
        CCEaseElasticOut::create(unitMove(), 0.0f),
    };
    for (CCActionInterval* ease : eases) {
        started(ease);
        EXPECT_EQ(eased(ease, 0.0f), 0.0f);
        EXPECT_EQ(eased(ease, 1.0f), 1.0f);
        for (float t = 0.05f; t < 1.0f; t += 0.1f) {
            EXPECT_TRUE(std::isfinite(eased(ease, t)));
        }
    }
}

TEST_F(EaseActions, CurvesHaveTheirShapes) {
    CCActionInterval* in = started(CCEaseIn::create(unitMove(), 2.0f));
    CCActionInterval* out = started(CCEaseOut::create(unitMove(), 2.0f));
    CCActionInterval* inOut = started(CCEaseInOut::create(unitMove(), 2.0f));
    CCActionInterval* linear = started(CCEaseInOut::create(unitMove(), 1.0f));
    CCActionInterval* elastic = started(CCEaseElasticOut::create(unitMove(), 0.3f));
    EXPECT_FLOAT_EQ(eased(in, 0.5f), 0.25f);
    EXPECT_FLOAT_EQ(eased(out, 0.25f), 0.5f);
    EXPECT_FLOAT_EQ(eased(inOut, 0.25f), 0.125f);
    EXPECT_FLOAT_EQ(eased(inOut, 0.5f), 0.5f);
    EXPECT_FLOAT_EQ(eased(inOut, 0.75f), 0.875f);
    EXPECT_FLOAT_EQ(eased(linear, 0.3f), 0.3f);
    // Elastic overshoots early and settles close to the end.
    float peak = 0.0f;
    for (float t = 0.0f; t < 0.5f; t += 0.01f) {
        peak = std::fmax(peak, eased(elastic, t));
    }
    EXPECT_GT(peak, 1.1f);
    EXPECT_NEAR(eased(elastic, 0.9f), 1.0f, 0.01f);
}

TEST_F(EaseActions, ReversedEasesRetraceTheirPath) {
    CCNode* node = CCNode::create();
    CCActionInterval* eases[] = {CCEaseInOut::create(CCMoveBy::create(1.0f, ccp(100, 0)), 2.0f),
                                 CCEaseElasticOut::create(CCMoveBy::create(1.0f, ccp(100, 0)), 0.3f)};
    for (CCActionInterval* ease : eases) {
        CCFiniteTimeAction* back = ease->reverse();
        ASSERT_NE(back, nullptr);
        node->setPosition(ccp(0, 0));
        for (float t : {0.1f, 0.3f, 0.5f, 0.8f}) {
            ease->startWithTarget(node);
            ease->update(1.0f - t);
            const float there = node->getPositionX();
            node->setPosition(ccp(100, 0));
            back->startWithTarget(node);
            back->update(t);
            EXPECT_NEAR(node->getPositionX(), there, 0.01f) << t;
            node->setPosition(ccp(0, 0));
        }
    }
    // Ease in and ease out reverse into each other.
    EXPECT_NE(dynamic_cast<CCEaseOut*>(CCEaseIn::create(CCMoveBy::create(1.0f, ccp(1, 0)), 2.0f)->reverse()), nullptr);
    EXPECT_NE(dynamic_cast<CCEaseIn*>(CCEaseOut::create(CCMoveBy::create(1.0f, ccp(1, 0)), 2.0f)->reverse()), nullptr);
    EXPECT_EQ(CCEaseInOut::create(CCMoveTo::create(1.0f, ccp(1, 0)), 2.0f)->reverse(), nullptr);
    EXPECT_EQ(CCEaseInOut::create(nullptr, 2.0f), nullptr);
}

}  // namespace
}  // namespace lirava
