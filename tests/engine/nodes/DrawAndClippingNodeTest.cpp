#include <gtest/gtest.h>

#include "engine/nodes/CCClippingNode.h"
#include "engine/nodes/CCDrawNode.h"
#include "support/EngineEnvironment.h"
#include "tests/engine/nodes/ClipRecordingRenderer.h"

namespace lirava {
namespace {

class DrawAndClippingNode : public ::testing::Test {
protected:
    void TearDown() override { test::drainAutoreleasePool(); }

    // A draw node with one square from (0, 0) to (size, size).
    static CCDrawNode* square(float size) {
        CCDrawNode* node = CCDrawNode::create();
        const CCPoint corners[4] = {ccp(0, 0), ccp(size, 0), ccp(size, size), ccp(0, size)};
        node->drawPolygon(corners, 4, ccc4f(0, 1, 0, 1), 0.0f, ccc4f(0, 1, 0, 1));
        return node;
    }

    test::ClipRecordingRenderer renderer;
};

bool sameRect(const CCRect& a, const CCRect& b) {
    return std::abs(a.getMinX() - b.getMinX()) < 0.01f && std::abs(a.getMinY() - b.getMinY()) < 0.01f &&
           std::abs(a.getMaxX() - b.getMaxX()) < 0.01f && std::abs(a.getMaxY() - b.getMaxY()) < 0.01f;
}

TEST_F(DrawAndClippingNode, DrawNodeDrawsItsShapesThroughItsTransform) {
    CCDrawNode* node = square(10);
    node->setPosition(ccp(100, 200));
    node->setScale(2.0f);
    node->visit(renderer, CCAffineTransformIdentity);
    ASSERT_EQ(renderer.batches.size(), 1u);
    const auto& vertices = renderer.batches[0].vertices;
    ASSERT_EQ(vertices.size(), 6u);  // two fan triangles
    for (const Vertex& v : vertices) {
        EXPECT_TRUE(v.x == 100 || v.x == 120) << v.x;
        EXPECT_TRUE(v.y == 200 || v.y == 220) << v.y;
        EXPECT_EQ(v.color, ccc4(0, 255, 0, 255));
    }
    EXPECT_EQ(renderer.batches[0].texture, 0u);
}

TEST_F(DrawAndClippingNode, DrawNodeBoundsCoverEveryShapeAndClearEmptiesIt) {
    CCDrawNode* node = CCDrawNode::create();
    CCRect bounds;
    EXPECT_FALSE(node->getDrawnBounds(bounds));
    node->drawDot(ccp(10, 10), 5, ccc4f(1, 0, 0, 1));
    node->drawSegment(ccp(20, 0), ccp(40, 0), 2, ccc4f(1, 0, 0, 1));
    ASSERT_TRUE(node->getDrawnBounds(bounds));
    EXPECT_TRUE(sameRect(bounds, CCRect(5, -2, 37, 17))) << bounds.origin.x << " " << bounds.size.width;

    const CCPoint tooFew[2] = {ccp(0, 0), ccp(1, 1)};
    node->clear();
    node->drawPolygon(tooFew, 2, ccc4f(1, 1, 1, 1), 1.0f, ccc4f(1, 1, 1, 1));
    node->drawPolygon(nullptr, 5, ccc4f(1, 1, 1, 1), 1.0f, ccc4f(1, 1, 1, 1));
    EXPECT_TRUE(node->isEmpty());
    node->visit(renderer, CCAffineTransformIdentity);
    EXPECT_TRUE(renderer.batches.empty());

    // An outline widens the polygon by its width on every side.
    CCDrawNode* outlined = CCDrawNode::create();
    const CCPoint corners[3] = {ccp(0, 0), ccp(10, 0), ccp(10, 10)};
    outlined->drawPolygon(corners, 3, ccc4f(0, 0, 0, 0), 1.0f, ccc4f(1, 1, 1, 1));
    ASSERT_TRUE(outlined->getDrawnBounds(bounds));
    EXPECT_TRUE(sameRect(bounds, CCRect(-1, -1, 12, 12)));
}

TEST_F(DrawAndClippingNode, ChildrenAreClippedToTheStencilInDesignSpace) {
    CCNode* parent = CCNode::create();
    parent->setPosition(ccp(100, 50));
    CCClippingNode* clipper = CCClippingNode::create(square(40));
    clipper->getStencil()->setPosition(ccp(10, 20));
    clipper->setScale(2.0f);
    parent->addChild(clipper);
    clipper->addChild(square(500));
    parent->visit(renderer, CCAffineTransformIdentity);

    ASSERT_EQ(renderer.batches.size(), 1u);  // the child; the stencil itself is not drawn
    EXPECT_TRUE(renderer.batches[0].clipped);
    EXPECT_TRUE(sameRect(renderer.batches[0].clip, CCRect(120, 90, 80, 80)));
    EXPECT_EQ(renderer.clipDepth(), 0);
}

TEST_F(DrawAndClippingNode, RotatedStencilsClipToTheirBoundingBox) {
    CCClippingNode* clipper = CCClippingNode::create(square(10));
    clipper->getStencil()->setRotation(45.0f);
    clipper->addChild(square(100));
    clipper->visit(renderer, CCAffineTransformIdentity);
    ASSERT_EQ(renderer.batches.size(), 1u);
    const float half = 10.0f * 0.70710678f;
    EXPECT_TRUE(sameRect(renderer.batches[0].clip, CCRect(0, -half, 2 * half, 2 * half)));
}

TEST_F(DrawAndClippingNode, NestedClipsIntersect) {
    CCClippingNode* outer = CCClippingNode::create(square(100));
    CCClippingNode* inner = CCClippingNode::create(square(100));
    inner->setPosition(ccp(60, 70));
    outer->addChild(inner);
    inner->addChild(square(1000));
    outer->addChild(square(5), 1);
    outer->visit(renderer, CCAffineTransformIdentity);
    ASSERT_EQ(renderer.batches.size(), 2u);
    EXPECT_TRUE(sameRect(renderer.batches[0].clip, CCRect(60, 70, 40, 30)));
    EXPECT_TRUE(sameRect(renderer.batches[1].clip, CCRect(0, 0, 100, 100)));
    EXPECT_EQ(renderer.clipDepth(), 0);
}

TEST_F(DrawAndClippingNode, StencilKindsAndEmptyStencils) {
    // A plain node clips to its content rectangle.
    CCNode* plain = CCNode::create();
    plain->setContentSize(CCSize(30, 20));
    CCClippingNode* byContent = CCClippingNode::create(plain);
    byContent->addChild(square(100));
    byContent->visit(renderer, CCAffineTransformIdentity);
    ASSERT_EQ(renderer.batches.size(), 1u);
    EXPECT_TRUE(sameRect(renderer.batches[0].clip, CCRect(0, 0, 30, 20)));

    // No stencil, an empty one, an invisible one: nothing gets through.
    renderer.batches.clear();
    CCClippingNode* none = CCClippingNode::create();
    CCClippingNode* empty = CCClippingNode::create(CCDrawNode::create());
    CCClippingNode* hidden = CCClippingNode::create(square(10));
    hidden->getStencil()->setVisible(false);
    for (CCClippingNode* clipper : {none, empty, hidden}) {
        clipper->addChild(square(10));
        clipper->visit(renderer, CCAffineTransformIdentity);
    }
    EXPECT_TRUE(renderer.batches.empty());
    EXPECT_EQ(renderer.clipDepth(), 0);

    // Swapping the stencil takes effect on the next frame.
    none->setStencil(square(3));
    none->visit(renderer, CCAffineTransformIdentity);
    ASSERT_EQ(renderer.batches.size(), 1u);
    EXPECT_TRUE(sameRect(renderer.batches[0].clip, CCRect(0, 0, 3, 3)));
}

TEST_F(DrawAndClippingNode, InvertedClippingDrawsAroundTheStencil) {
    CCClippingNode* clipper = CCClippingNode::create(square(100));
    clipper->getStencil()->setPosition(ccp(200, 300));
    clipper->setInverted(true);
    clipper->addChild(square(640));
    clipper->visit(renderer, CCAffineTransformIdentity);
    ASSERT_EQ(renderer.batches.size(), 4u);
    float area = 0.0f;
    for (const auto& batch : renderer.batches) {
        EXPECT_FALSE(batch.clip.intersectsRect(CCRect(201, 301, 98, 98)));
        area += batch.clip.size.width * batch.clip.size.height;
    }
    EXPECT_FLOAT_EQ(area, 640.0f * 960.0f - 100.0f * 100.0f);
}

TEST_F(DrawAndClippingNode, TheStencilFollowsTheNodeOnAndOffStage) {
    const std::size_t before = CCObject::liveObjectCount();
    {
        CCDrawNode* stencil = square(1);
        CCClippingNode* clipper = CCClippingNode::create(stencil);
        clipper->onEnter();
        EXPECT_TRUE(stencil->isRunning());
        clipper->setStencil(square(2));
        EXPECT_FALSE(stencil->isRunning());
        EXPECT_TRUE(clipper->getStencil()->isRunning());
        clipper->onExit();
        EXPECT_FALSE(clipper->getStencil()->isRunning());
    }
    test::drainAutoreleasePool();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

}  // namespace
}  // namespace lirava
