#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "engine/nodes/CCSprite.h"
#include "engine/nodes/CCSpriteBatchNode.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

using Tag = CCScale9Sprite::PieceTag;

class CCScale9SpriteTest : public ::testing::Test {
protected:
    void TearDown() override { test::drainAutoreleasePool(); }

    static std::string image90x30() { return test::solidImage("plate90x30.png", 90, 30, {200, 100, 50, 255}); }

    static void expectRect(const CCRect& actual, float x, float y, float w, float h) {
        EXPECT_NEAR(actual.origin.x, x, 1e-3f);
        EXPECT_NEAR(actual.origin.y, y, 1e-3f);
        EXPECT_NEAR(actual.size.width, w, 1e-3f);
        EXPECT_NEAR(actual.size.height, h, 1e-3f);
    }
};

TEST_F(CCScale9SpriteTest, ZeroInsetsCutTheRegionIntoThirds) {
    CCScale9Sprite* sprite = CCScale9Sprite::create(image90x30().c_str());
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getSourceSize(), CCSize(90, 30));
    EXPECT_EQ(sprite->getContentSize(), CCSize(90, 30));
    expectRect(sprite->getPiece(CCScale9Sprite::kTopLeft)->getTextureRect(), 0, 0, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kTop)->getTextureRect(), 30, 0, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kTopRight)->getTextureRect(), 60, 0, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kLeft)->getTextureRect(), 0, 10, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kCentre)->getTextureRect(), 30, 10, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kRight)->getTextureRect(), 60, 10, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kBottomLeft)->getTextureRect(), 0, 20, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kBottom)->getTextureRect(), 30, 20, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kBottomRight)->getTextureRect(), 60, 20, 30, 10);
    // Nine pieces in one batch, corners above edges above the centre.
    CCSpriteBatchNode* batch = sprite->getBatchNode();
    ASSERT_EQ(batch->getChildrenCount(), 9u);
    EXPECT_EQ(batch->getChildByTag(CCScale9Sprite::kCentre)->getZOrder(), 0);
    EXPECT_EQ(batch->getChildByTag(CCScale9Sprite::kTop)->getZOrder(), 1);
    EXPECT_EQ(batch->getChildByTag(CCScale9Sprite::kBottomRight)->getZOrder(), 2);
}

TEST_F(CCScale9SpriteTest, InsetsAndRegionOffsetPlaceThePieces) {
    const std::string file = test::solidImage("sheet128.png", 128, 128, {10, 20, 30, 255});
    CCScale9Sprite* sprite = CCScale9Sprite::create(file.c_str(), CCRect(10, 20, 90, 30), CCRect(5, 4, 70, 20));
    ASSERT_NE(sprite, nullptr);
    expectRect(sprite->getPiece(CCScale9Sprite::kTopLeft)->getTextureRect(), 10, 20, 5, 4);
    expectRect(sprite->getPiece(CCScale9Sprite::kCentre)->getTextureRect(), 15, 24, 70, 20);
    expectRect(sprite->getPiece(CCScale9Sprite::kBottomRight)->getTextureRect(), 85, 44, 15, 6);
    EXPECT_EQ(sprite->getCapInsets(), CCRect(5, 4, 70, 20));
}

TEST_F(CCScale9SpriteTest, RotatedRegionsTakeThePiecesFromWhereTheyLieTurned) {
    // A 90 x 30 region stored a quarter turn clockwise: 30 x 90 pixels at (5, 7).
    const std::string file = test::solidImage("rotated64x128.png", 64, 128, {1, 2, 3, 255});
    CCSpriteBatchNode* batch = CCSpriteBatchNode::create(file.c_str(), 9);
    CCScale9Sprite* sprite = new CCScale9Sprite();
    ASSERT_TRUE(sprite->initWithBatchNode(batch, CCRect(5, 7, 90, 30), true, CCRectZero));
    sprite->autorelease();
    EXPECT_TRUE(sprite->isSourceRotated());
    EXPECT_EQ(sprite->getContentSize(), CCSize(90, 30));
    // Upright (x, y, w, h) lands at (5 + 30 - y - h, 7 + x), keeping its upright size.
    expectRect(sprite->getPiece(CCScale9Sprite::kTopLeft)->getTextureRect(), 25, 7, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kTop)->getTextureRect(), 25, 37, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kTopRight)->getTextureRect(), 25, 67, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kLeft)->getTextureRect(), 15, 7, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kCentre)->getTextureRect(), 15, 37, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kBottomLeft)->getTextureRect(), 5, 7, 30, 10);
    expectRect(sprite->getPiece(CCScale9Sprite::kBottomRight)->getTextureRect(), 5, 67, 30, 10);
    EXPECT_TRUE(sprite->getPiece(CCScale9Sprite::kCentre)->isTextureRectRotated());

    // Margins of a rotated region are read in the stored orientation.
    sprite->setInsetLeft(4);
    sprite->setInsetBottom(6);
    EXPECT_EQ(sprite->getCapInsets(), CCRect(6, 4, 86, 24));
}

TEST_F(CCScale9SpriteTest, PiecesStretchToThePreferredSizeWithCornersKept) {
    CCScale9Sprite* sprite = CCScale9Sprite::create(image90x30().c_str());
    sprite->setPreferredSize(CCSize(90, 30));
    sprite->layoutPiecesIfNeeded();
    for (int tag = 0; tag <= 8; ++tag) {
        CCSprite* piece = sprite->getPiece(static_cast<Tag>(tag));
        EXPECT_FLOAT_EQ(piece->getScaleX(), 1.0f) << tag;
        EXPECT_FLOAT_EQ(piece->getScaleY(), 1.0f) << tag;
    }

    sprite->setPreferredSize(CCSize(150, 50));
    EXPECT_EQ(sprite->getPreferredSize(), CCSize(150, 50));
    sprite->layoutPiecesIfNeeded();
    CCSprite* centre = sprite->getPiece(CCScale9Sprite::kCentre);
    EXPECT_FLOAT_EQ(centre->getScaleX(), 3.0f);
    EXPECT_FLOAT_EQ(centre->getScaleY(), 3.0f);
    EXPECT_EQ(centre->getPosition(), CCPoint(30, 10));
    EXPECT_EQ(sprite->getPiece(CCScale9Sprite::kBottomRight)->getPosition(), CCPoint(120, 0));
    EXPECT_EQ(sprite->getPiece(CCScale9Sprite::kTopLeft)->getPosition(), CCPoint(0, 40));
    EXPECT_EQ(sprite->getPiece(CCScale9Sprite::kTopRight)->getPosition(), CCPoint(120, 40));
    EXPECT_FLOAT_EQ(sprite->getPiece(CCScale9Sprite::kTop)->getScaleX(), 3.0f);
    EXPECT_FLOAT_EQ(sprite->getPiece(CCScale9Sprite::kTop)->getScaleY(), 1.0f);
    EXPECT_FLOAT_EQ(sprite->getPiece(CCScale9Sprite::kLeft)->getScaleY(), 3.0f);
    EXPECT_FLOAT_EQ(sprite->getPiece(CCScale9Sprite::kTopLeft)->getScaleX(), 1.0f);

    // Smaller than its corners: the middle collapses instead of turning inside out.
    sprite->setPreferredSize(CCSize(20, 0));
    sprite->layoutPiecesIfNeeded();
    EXPECT_FLOAT_EQ(centre->getScaleX(), 0.0f);
    EXPECT_FLOAT_EQ(centre->getScaleY(), 0.0f);
    EXPECT_EQ(sprite->getPiece(CCScale9Sprite::kTopRight)->getPosition(), CCPoint(30, 10));
}

TEST_F(CCScale9SpriteTest, NewInsetsKeepTheSizeInUse) {
    CCScale9Sprite* sprite = CCScale9Sprite::create(image90x30().c_str());
    sprite->setPreferredSize(CCSize(200, 100));
    sprite->setCapInsets(CCRect(10, 5, 70, 20));
    EXPECT_EQ(sprite->getContentSize(), CCSize(200, 100));
    EXPECT_EQ(sprite->getPreferredSize(), CCSize(200, 100));
    expectRect(sprite->getPiece(CCScale9Sprite::kTopLeft)->getTextureRect(), 0, 0, 10, 5);

    sprite->setInsetLeft(5);
    sprite->setInsetTop(4);
    sprite->setInsetRight(6);
    sprite->setInsetBottom(3);
    EXPECT_EQ(sprite->getCapInsets(), CCRect(5, 4, 79, 23));
    EXPECT_EQ(sprite->getContentSize(), CCSize(200, 100));

    // Insets reaching past the region are kept inside it.
    sprite->setCapInsets(CCRect(80, 0, 50, 40));
    for (int tag = 0; tag <= 8; ++tag) {
        const CCRect& rect = sprite->getPiece(static_cast<Tag>(tag))->getTextureRect();
        EXPECT_GE(rect.size.width, 0.0f) << tag;
        EXPECT_GE(rect.size.height, 0.0f) << tag;
        EXPECT_LE(rect.getMaxX(), 90.0f) << tag;
        EXPECT_LE(rect.getMaxY(), 30.0f) << tag;
    }
}

TEST_F(CCScale9SpriteTest, ColourReachesEveryPieceOnceThereArePieces) {
    CCScale9Sprite* sprite = CCScale9Sprite::create();
    sprite->setColor(ccc3(255, 0, 0));
    sprite->setOpacity(100);
    EXPECT_EQ(sprite->getColor(), ccWHITE) << "nothing to colour yet";
    EXPECT_EQ(sprite->getOpacity(), 255);

    ASSERT_TRUE(sprite->initWithFile(image90x30().c_str()));
    sprite->setColor(ccc3(0, 128, 0));
    sprite->setOpacity(64);
    sprite->setCapInsets(CCRect(10, 10, 10, 10));  // builds nine new pieces
    EXPECT_EQ(sprite->getColor(), ccc3(0, 128, 0));
    for (int tag = 0; tag <= 8; ++tag) {
        CCSprite* piece = sprite->getPiece(static_cast<Tag>(tag));
        EXPECT_EQ(piece->getColor(), ccc3(0, 128, 0)) << tag;
        EXPECT_EQ(piece->getOpacity(), 64) << tag;
    }
}

TEST_F(CCScale9SpriteTest, MissingImagesLeaveItEmpty) {
    CCScale9Sprite* sprite = CCScale9Sprite::create("no/such/image.png");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getBatchNode(), nullptr);
    EXPECT_EQ(sprite->getContentSize(), CCSizeZero);
    EXPECT_EQ(CCScale9Sprite::createWithSpriteFrameName("no-such-frame.png"), nullptr);

    // Loading a missing image over a present one does not keep showing the old one.
    ASSERT_TRUE(sprite->initWithFile(image90x30().c_str()));
    EXPECT_NE(sprite->getBatchNode(), nullptr);
    sprite->initWithFile("no/such/image.png");
    EXPECT_EQ(sprite->getBatchNode(), nullptr);
    EXPECT_EQ(sprite->getPiece(CCScale9Sprite::kCentre), nullptr);
    EXPECT_EQ(sprite->getContentSize(), CCSizeZero);
    sprite->setCapInsets(CCRect(1, 1, 1, 1));  // nothing to re-slice; must not crash
}

}  // namespace
}  // namespace lirava
