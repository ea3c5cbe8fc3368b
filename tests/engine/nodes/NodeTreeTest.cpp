#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/nodes/CCNode.h"
#include "engine/nodes/CCNodeRGBA.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

std::vector<int> tagsOf(CCNode* parent) {
    std::vector<int> tags;
    for (CCObject* child : *parent->getChildren()) {
        tags.push_back(static_cast<CCNode*>(child)->getTag());
    }
    return tags;
}

TEST(NodeTree, ChildrenStaySortedByZOrderAndStableForEqualZ) {
    CCNode* parent = CCNode::create();
    const int zs[] = {0, 0, -1, 2, 0};
    for (int i = 0; i < 5; ++i) {
        parent->addChild(CCNode::create(), zs[i], i);
    }
    EXPECT_EQ(tagsOf(parent), (std::vector<int>{2, 0, 1, 4, 3}));
    // Reordering to an equal z-order moves the child behind its equals, like a fresh add.
    parent->reorderChild(parent->getChildByTag(0), 0);
    EXPECT_EQ(tagsOf(parent), (std::vector<int>{2, 1, 4, 0, 3}));
    parent->getChildByTag(3)->setZOrder(-5);
    EXPECT_EQ(tagsOf(parent), (std::vector<int>{3, 2, 1, 4, 0}));
    test::drainAutoreleasePool();
}

TEST(NodeTree, ANodeHasOneParentAndRemovalReleasesIt) {
    const std::size_t before = CCObject::liveObjectCount();
    CCNode* a = CCNode::create();
    CCNode* b = CCNode::create();
    CCNode* child = CCNode::create();
    a->retain();
    b->retain();
    a->addChild(child);
    b->addChild(child);  // refused: already has a parent
    EXPECT_EQ(child->getParent(), a);
    EXPECT_EQ(b->getChildrenCount(), 0u);
    test::drainAutoreleasePool();
    a->removeChild(child);
    EXPECT_EQ(a->getChildrenCount(), 0u);
    a->release();
    b->release();
    test::drainAutoreleasePool();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST(NodeTree, EnterAndExitHooksReachTheWholeSubtree) {
    struct Recorder : CCNode {
        std::vector<std::string>* log;
        std::string name;
        Recorder(std::vector<std::string>* l, std::string n) : log(l), name(std::move(n)) {}
        void onEnter() override {
            CCNode::onEnter();
            log->push_back(name + " enter");
        }
        void onEnterTransitionDidFinish() override {
            CCNode::onEnterTransitionDidFinish();
            log->push_back(name + " finish");
        }
        void onExitTransitionDidStart() override {
            CCNode::onExitTransitionDidStart();
            log->push_back(name + " start");
        }
        void onExit() override {
            CCNode::onExit();
            log->push_back(name + " exit");
        }
    };
    std::vector<std::string> log;
    Recorder* root = new Recorder(&log, "root");
    Recorder* child = new Recorder(&log, "child");
    root->addChild(child);
    child->release();
    root->onEnter();
    EXPECT_TRUE(child->isRunning());
    // Adding to a running parent enters the new child at once.
    Recorder* late = new Recorder(&log, "late");
    root->addChild(late);
    late->release();
    root->removeChild(late, true);
    root->onExit();
    EXPECT_FALSE(child->isRunning());
    EXPECT_EQ(log, (std::vector<std::string>{"child enter", "root enter", "late enter", "late finish", "late start",
                                             "late exit", "child exit", "root exit"}));
    root->release();
}

TEST(NodeTree, TransformsHonourAnchorScaleRotationAndParents) {
    CCNode* parent = CCNode::create();
    parent->setPosition(100, 50);
    parent->setScale(2.0f);
    CCNode* child = CCNode::create();
    child->setContentSize(CCSize(40, 20));
    child->setAnchorPoint(CCPoint(0.5f, 0.5f));
    child->setPosition(10, 10);
    parent->addChild(child);

    // The anchor sits at the position: the child's centre maps to parent (10, 10), world (120, 70).
    CCPoint centre = child->convertToWorldSpace(CCPoint(20, 10));
    EXPECT_NEAR(centre.x, 120.0f, 1e-4);
    EXPECT_NEAR(centre.y, 70.0f, 1e-4);
    CCPoint back = child->convertToNodeSpace(CCPoint(120, 70));
    EXPECT_NEAR(back.x, 20.0f, 1e-4);
    EXPECT_NEAR(back.y, 10.0f, 1e-4);

    // 90 degrees clockwise turns the child's +x axis into world -y.
    child->setRotation(90.0f);
    CCPoint right = child->convertToWorldSpace(CCPoint(30, 10));  // 10 right of the anchor
    EXPECT_NEAR(right.x, 120.0f, 1e-3);
    EXPECT_NEAR(right.y, 50.0f, 1e-3);

    // Ignoring the anchor places the lower-left corner at the position.
    CCNode* layerLike = CCNode::create();
    layerLike->setContentSize(CCSize(100, 100));
    layerLike->setAnchorPoint(CCPoint(0.5f, 0.5f));
    layerLike->ignoreAnchorPointForPosition(true);
    layerLike->setPosition(5, 5);
    CCPoint corner = layerLike->convertToWorldSpace(CCPoint(0, 0));
    EXPECT_NEAR(corner.x, 5.0f, 1e-4);
    EXPECT_NEAR(corner.y, 5.0f, 1e-4);

    // A node scaled to nothing contains no point at all.
    child->setScale(0.0f);
    CCPoint nowhere = child->convertToNodeSpace(CCPoint(120, 70));
    EXPECT_FALSE(CCRect(0, 0, 40, 20).containsPoint(nowhere));
    test::drainAutoreleasePool();
}

TEST(NodeTree, ColourAndOpacityCascadeIntoChildrenThatJoinLater) {
    CCNodeRGBA* parent = CCNodeRGBA::create();
    parent->setCascadeOpacityEnabled(true);
    parent->setCascadeColorEnabled(true);
    parent->setOpacity(128);
    parent->setColor(ccc3(255, 0, 128));
    CCNodeRGBA* child = CCNodeRGBA::create();
    child->setOpacity(255);
    parent->addChild(child);
    EXPECT_EQ(child->getDisplayedOpacity(), 128);
    EXPECT_EQ(child->getDisplayedColor(), ccc3(255, 0, 128));
    child->setOpacity(128);
    EXPECT_EQ(child->getOpacity(), 128);
    EXPECT_EQ(child->getDisplayedOpacity(), 64);
    parent->setCascadeOpacityEnabled(false);
    parent->setOpacity(10);
    EXPECT_EQ(child->getDisplayedOpacity(), 64);
    test::drainAutoreleasePool();
}

}  // namespace
}  // namespace lirava
