#include <gtest/gtest.h>

#include <string>

#include "engine/nodes/CCSprite.h"
#include "engine/nodes/CCSpriteFrame.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"
#include "support/AtlasFixture.h"
#include "support/EngineEnvironment.h"
#include "support/RecordingRenderer.h"

namespace lirava {
namespace {

using test::kBlue;
using test::kGreen;
using test::kRed;
using test::kWhite;

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        liveBefore = CCObject::liveObjectCount();
        atlas = test::Atlas::write("sprite-sheet");
        CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(atlas.c_str());
    }
    void TearDown() override {
        CCSpriteFrameCache::sharedSpriteFrameCache()->removeSpriteFrames();
        test::drainAutoreleasePool();
        CCTextureCache::sharedTextureCache()->removeAllTextures();
        EXPECT_EQ(CCObject::liveObjectCount(), liveBefore) << "leaked objects";
    }

    // Draws the sprite with its lower-left content corner at (100, 100).
    void drawAt(CCSprite* sprite) {
        sprite->setAnchorPoint(CCPointZero);
        sprite->setPosition(CCPoint(100, 100));
        renderer.calls.clear();
        sprite->visit(renderer, CCAffineTransformIdentity);
    }

    // Colours at the middles of the four quadrants of a w x h image drawn at (100, 100) + offset:
    // top-left, top-right, bottom-left, bottom-right.
    std::vector<std::optional<ccColor4B>> quadrants(float w, float h, CCPoint offset = CCPointZero) {
        const float x = 100 + offset.x;
        const float y = 100 + offset.y;
        return {renderer.sample(x + w * 0.25f, y + h * 0.75f), renderer.sample(x + w * 0.75f, y + h * 0.75f),
                renderer.sample(x + w * 0.25f, y + h * 0.25f), renderer.sample(x + w * 0.75f, y + h * 0.25f)};
    }

    using Colors = std::vector<std::optional<ccColor4B>>;
    std::size_t liveBefore = 0;
    std::string atlas;
    test::RecordingRenderer renderer;
};

TEST_F(SpriteTest, MissingImagesGiveNoSpriteButInitLeavesAValidEmptyOne) {
    EXPECT_EQ(CCSprite::create("Images/no-such-image.png"), nullptr);
    EXPECT_EQ(CCSprite::create(nullptr), nullptr);
    EXPECT_EQ(CCSprite::createWithSpriteFrameName("no-such-frame"), nullptr);
    EXPECT_EQ(CCSprite::createWithSpriteFrame(nullptr), nullptr);

    // A sprite that showed an image and is then re-initialised with a missing one is empty.
    CCSprite* sprite = CCSprite::createWithSpriteFrameName("upright.png");
    ASSERT_NE(sprite, nullptr);
    EXPECT_FALSE(sprite->initWithFile("Images/no-such-image.png"));
    EXPECT_EQ(sprite->getTexture(), nullptr);
    EXPECT_EQ(sprite->getContentSize(), CCSizeZero);
    drawAt(sprite);
    EXPECT_TRUE(renderer.calls.empty());
    EXPECT_FALSE(sprite->initWithSpriteFrameName("no-such-frame"));
    EXPECT_EQ(sprite->getContentSize(), CCSizeZero);

    CCSprite* empty = CCSprite::create();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->getAnchorPoint(), CCPoint(0.5f, 0.5f));
    drawAt(empty);
    EXPECT_TRUE(renderer.calls.empty());
}

TEST_F(SpriteTest, FileSpriteDrawsOneQuadUprightWithItsColourAndOpacity) {
    const std::string file = test::writeQuadrants("sprite-file.png", 20, 10);
    CCSprite* sprite = CCSprite::create(file.c_str());
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getContentSize(), CCSize(20, 10));
    EXPECT_EQ(sprite->getTextureRect(), CCRect(0, 0, 20, 10));
    drawAt(sprite);
    ASSERT_EQ(renderer.calls.size(), 1u);
    EXPECT_EQ(quadrants(20, 10), (Colors{kRed, kGreen, kBlue, kWhite}));
    EXPECT_FALSE(renderer.sample(99, 105).has_value());
    EXPECT_FALSE(renderer.sample(121, 105).has_value());

    sprite->setColor(ccc3(255, 0, 0));
    sprite->setOpacity(128);
    drawAt(sprite);
    EXPECT_EQ(renderer.sample(115, 102), (ccColor4B{255, 0, 0, 128}));

    // A sub-rectangle: the right half.
    CCSprite* half = CCSprite::create(file.c_str(), CCRect(10, 0, 10, 10));
    ASSERT_NE(half, nullptr);
    EXPECT_EQ(half->getContentSize(), CCSize(10, 10));
    drawAt(half);
    EXPECT_EQ(renderer.sample(103, 107), kGreen);
    EXPECT_EQ(renderer.sample(103, 103), kWhite);
}

TEST_F(SpriteTest, FlipsMirrorTheImage) {
    CCSprite* sprite = CCSprite::createWithSpriteFrameName("upright.png");
    ASSERT_NE(sprite, nullptr);
    sprite->setFlipX(true);
    EXPECT_TRUE(sprite->isFlipX());
    drawAt(sprite);
    EXPECT_EQ(quadrants(16, 8), (Colors{kGreen, kRed, kWhite, kBlue}));
    sprite->setFlipX(false);
    sprite->setFlipY(true);
    drawAt(sprite);
    EXPECT_EQ(quadrants(16, 8), (Colors{kBlue, kWhite, kRed, kGreen}));
    sprite->setFlipX(true);
    drawAt(sprite);
    EXPECT_EQ(quadrants(16, 8), (Colors{kWhite, kBlue, kGreen, kRed}));
    EXPECT_EQ(sprite->getContentSize(), CCSize(16, 8)) << "flips leave the size alone";
}

TEST_F(SpriteTest, RotatedFrameDrawsUprightAndFlipsLikeAnUprightOne) {
    CCSprite* sprite = CCSprite::createWithSpriteFrameName("turned.png");
    ASSERT_NE(sprite, nullptr);
    EXPECT_TRUE(sprite->isTextureRectRotated());
    EXPECT_EQ(sprite->getTextureRect(), CCRect(20, 0, 16, 8));
    EXPECT_EQ(sprite->getContentSize(), CCSize(16, 8));
    drawAt(sprite);
    EXPECT_EQ(quadrants(16, 8), (Colors{kRed, kGreen, kBlue, kWhite}));
    sprite->setFlipX(true);
    drawAt(sprite);
    EXPECT_EQ(quadrants(16, 8), (Colors{kGreen, kRed, kWhite, kBlue}));
    sprite->setFlipX(false);
    sprite->setFlipY(true);
    drawAt(sprite);
    EXPECT_EQ(quadrants(16, 8), (Colors{kBlue, kWhite, kRed, kGreen}));

    // Rotated by the node as well: a quarter turn clockwise puts the image's top on the right.
    sprite->setFlipY(false);
    sprite->setAnchorPoint(CCPoint(0.5f, 0.5f));
    sprite->setPosition(CCPoint(200, 200));
    sprite->setRotation(90);
    renderer.calls.clear();
    sprite->visit(renderer, CCAffineTransformIdentity);
    EXPECT_EQ(renderer.sample(202, 204), kRed);    // upper right: the image's top-left
    EXPECT_EQ(renderer.sample(202, 196), kGreen);  // lower right: its top-right
    EXPECT_EQ(renderer.sample(198, 204), kBlue);
}

TEST_F(SpriteTest, TrimmedFrameTakesTheOriginalSizeAndDrawsAtItsOffset) {
    CCSprite* sprite = CCSprite::createWithSpriteFrameName("trimmed.png");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getContentSize(), CCSize(20, 20));
    EXPECT_EQ(sprite->getTextureRect(), CCRect(0, 30, 10, 6));
    // Centre of the original (10, 10) plus the offset (3, -2) is the centre of the 10 x 6 region.
    EXPECT_EQ(sprite->getOffsetPosition(), CCPoint(8, 5));
    drawAt(sprite);
    EXPECT_EQ(quadrants(10, 6, CCPoint(8, 5)), (Colors{kRed, kGreen, kBlue, kWhite}));
    EXPECT_FALSE(renderer.sample(101, 101).has_value()) << "the trimmed-away border stays empty";

    // Flipped, the region is mirrored about the original's centre.
    sprite->setFlipX(true);
    EXPECT_EQ(sprite->getOffsetPosition(), CCPoint(2, 5));
    drawAt(sprite);
    EXPECT_EQ(quadrants(10, 6, CCPoint(2, 5)), (Colors{kGreen, kRed, kWhite, kBlue}));
}

TEST_F(SpriteTest, DisplayFramesAndTextureRects) {
    CCSprite* sprite = CCSprite::createWithSpriteFrameName("upright.png");
    CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
    CCSpriteFrame* trimmed = frames->spriteFrameByName("trimmed.png");
    ASSERT_NE(trimmed, nullptr);
    EXPECT_FALSE(sprite->isFrameDisplayed(trimmed));
    sprite->setDisplayFrame(trimmed);
    EXPECT_TRUE(sprite->isFrameDisplayed(trimmed));
    EXPECT_EQ(sprite->getContentSize(), CCSize(20, 20));

    CCSpriteFrame* shown = sprite->displayFrame();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->getRect(), CCRect(0, 30, 10, 6));
    EXPECT_EQ(shown->getOffset(), CCPoint(3, -2));
    EXPECT_EQ(shown->getOriginalSize(), CCSize(20, 20));
    EXPECT_TRUE(sprite->isFrameDisplayed(shown));

    // A plain rect is upright and untrimmed again.
    sprite->setDisplayFrame(frames->spriteFrameByName("turned.png"));
    sprite->setTextureRect(CCRect(0, 0, 8, 4));
    EXPECT_FALSE(sprite->isTextureRectRotated());
    EXPECT_EQ(sprite->getContentSize(), CCSize(8, 4));
    drawAt(sprite);
    EXPECT_EQ(renderer.sample(104, 102), kRed);

    // A rect rotated by hand draws like the frame did.
    CCSprite* byHand = CCSprite::createWithTexture(sprite->getTexture(), CCRect(20, 0, 16, 8), true);
    drawAt(byHand);
    EXPECT_EQ(quadrants(16, 8), (Colors{kRed, kGreen, kBlue, kWhite}));
}

TEST_F(SpriteTest, SpritesShareTheCachedTextureAndReleaseIt) {
    const std::string file = test::writeQuadrants("shared.png", 4, 4);
    CCSprite* a = CCSprite::create(file.c_str());
    CCSprite* b = CCSprite::create(file.c_str());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->getTexture(), b->getTexture());
    a->retain();
    test::drainAutoreleasePool();
    CCTextureCache::sharedTextureCache()->removeUnusedTextures();
    EXPECT_NE(CCTextureCache::sharedTextureCache()->textureForKey(file.c_str()), nullptr) << "still shown";
    a->setTexture(nullptr);
    a->release();
    test::drainAutoreleasePool();
    CCTextureCache::sharedTextureCache()->removeUnusedTextures();
    EXPECT_EQ(CCTextureCache::sharedTextureCache()->textureForKey(file.c_str()), nullptr);
}

}  // namespace
}  // namespace lirava
