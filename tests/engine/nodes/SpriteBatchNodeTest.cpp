#include <gtest/gtest.h>

#include <string>

#include "engine/nodes/CCSprite.h"
#include "engine/nodes/CCSpriteBatchNode.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"
#include "support/EngineEnvironment.h"
#include "support/RecordingRenderer.h"
#include "support/TestImages.h"

namespace lirava {
namespace {

class SpriteBatchNodeTest : public ::testing::Test {
protected:
    void SetUp() override {
        liveBefore = CCObject::liveObjectCount();
        sheet = test::writeQuadrants("batch-sheet.png", 30, 30);
    }
    void TearDown() override {
        test::drainAutoreleasePool();
        CCTextureCache::sharedTextureCache()->removeAllTextures();
        EXPECT_EQ(CCObject::liveObjectCount(), liveBefore) << "leaked objects";
    }

    std::size_t liveBefore = 0;
    std::string sheet;
    test::RecordingRenderer renderer;
};

TEST_F(SpriteBatchNodeTest, NinePiecesDrawInOneCallInZOrder) {
    CCSpriteBatchNode* batch = CCSpriteBatchNode::create(sheet.c_str(), 9);
    ASSERT_NE(batch, nullptr);
    CCTexture2D* texture = batch->getTexture();
    for (int i = 0; i < 9; ++i) {
        CCSprite* piece = CCSprite::createWithTexture(texture, CCRect((i % 3) * 10, (i / 3) * 10, 10, 10));
        piece->setAnchorPoint(CCPointZero);
        piece->setPosition(CCPoint((i % 3) * 10, 20 - (i / 3) * 10));
        batch->addChild(piece, i == 4 ? 0 : 1, i);
    }
    batch->setPosition(CCPoint(50, 50));
    batch->getChildByTag(8)->setVisible(false);
    batch->visit(renderer, CCAffineTransformIdentity);
    ASSERT_EQ(renderer.calls.size(), 1u);
    EXPECT_EQ(batch->lastDrawCallCount(), 1);
    EXPECT_EQ(renderer.calls[0].vertices.size(), 8u * 4u) << "the hidden piece is left out";
    EXPECT_EQ(renderer.calls[0].indices.size(), 8u * 6u);
    // The centre piece (z 0) comes first, before the z 1 pieces.
    EXPECT_EQ(renderer.calls[0].vertices[0].x, 60.0f);
    EXPECT_EQ(renderer.calls[0].vertices[0].y, 60.0f);
    // Together the pieces show the sheet as it is, upright.
    EXPECT_EQ(renderer.sample(52, 78), test::kRed);
    EXPECT_EQ(renderer.sample(78, 78), test::kGreen);
    EXPECT_EQ(renderer.sample(52, 52), test::kBlue);
    EXPECT_FALSE(renderer.sample(78, 52).has_value());

    batch->removeAllChildrenWithCleanup(true);
    EXPECT_EQ(batch->getChildrenCount(), 0u);
    renderer.calls.clear();
    batch->visit(renderer, CCAffineTransformIdentity);
    EXPECT_TRUE(renderer.calls.empty());
}

TEST_F(SpriteBatchNodeTest, OnlySpritesJoinAndForeignTexturesCutTheBatchInOrder) {
    CCSpriteBatchNode* batch = CCSpriteBatchNode::create(sheet.c_str());
    ASSERT_NE(batch, nullptr);
    batch->addChild(CCNode::create());
    EXPECT_EQ(batch->getChildrenCount(), 0u);

    const std::string other = test::writePng("batch-other.png", 4, 4, [](int, int) { return test::kBlue; });
    CCSprite* first = CCSprite::createWithTexture(batch->getTexture());
    CCSprite* foreign = CCSprite::create(other.c_str());
    CCSprite* last = CCSprite::createWithTexture(batch->getTexture());
    CCSprite* child = CCSprite::createWithTexture(batch->getTexture(), CCRect(0, 0, 5, 5));
    last->addChild(child, -1);  // drawn before its parent, inside the same batch
    batch->addChild(first, 0);
    batch->addChild(foreign, 1);
    batch->addChild(last, 2);
    batch->visit(renderer, CCAffineTransformIdentity);
    ASSERT_EQ(renderer.calls.size(), 3u);
    EXPECT_EQ(renderer.calls[0].vertices.size(), 4u);
    EXPECT_NE(renderer.calls[1].texture, renderer.calls[0].texture);
    EXPECT_EQ(renderer.calls[2].vertices.size(), 8u);
    // The child (5 x 5, centred on its parent's lower-left corner at (-15, -15)) comes first.
    EXPECT_EQ(renderer.calls[2].vertices[0].x, -17.5f);

    EXPECT_EQ(CCSpriteBatchNode::create("Images/not-here.png"), nullptr);
    EXPECT_NE(CCSpriteBatchNode::createWithTexture(nullptr), nullptr);
}

}  // namespace
}  // namespace lirava
