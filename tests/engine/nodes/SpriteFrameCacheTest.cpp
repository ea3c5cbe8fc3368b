#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/base/CCNS.h"
#include "engine/nodes/CCSprite.h"
#include "engine/nodes/CCSpriteFrame.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"
#include "support/AtlasFixture.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

using test::Atlas;

class SpriteFrameCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        cache = CCSpriteFrameCache::sharedSpriteFrameCache();
        cache->removeSpriteFrames();
        liveBefore = CCObject::liveObjectCount();
    }
    void TearDown() override {
        cache->removeSpriteFrames();
        test::drainAutoreleasePool();
        CCTextureCache::sharedTextureCache()->removeAllTextures();
        EXPECT_EQ(CCObject::liveObjectCount(), liveBefore) << "leaked objects";
    }

    CCSpriteFrameCache* cache = nullptr;
    std::size_t liveBefore = 0;
};

TEST(GeometryStrings, ParseWellFormedTextAndRefuseTheRest) {
    CCRect rect;
    EXPECT_TRUE(parseRectString("{{1,2},{3,4}}", rect));
    EXPECT_EQ(rect, CCRect(1, 2, 3, 4));
    EXPECT_TRUE(parseRectString(" { { -1.5 , +2e1 } , { 3.25,4 } } ", rect));
    EXPECT_EQ(rect, CCRect(-1.5f, 20, 3.25f, 4));
    CCPoint point;
    EXPECT_TRUE(parsePointString("{7,-8}", point));
    EXPECT_EQ(point, CCPoint(7, -8));
    CCSize size;
    EXPECT_TRUE(parseSizeString("{0.5,9}", size));
    EXPECT_EQ(size, CCSize(0.5f, 9));

    const char* malformed[] = {"",
                               "{",
                               "{{1,2},{3,4}",
                               "{{1,2},{3,4}}x",
                               "{{1,2},{3}}",
                               "{1,2}",
                               "{{1,2},{3,4,5}}",
                               "{{a,2},{3,4}}",
                               "{{nan,2},{3,4}}",
                               "{{1,inf},{3,4}}",
                               "{{1e39,2},{3,4}}",
                               "{{1,2}{3,4}}",
                               "{{--1,2},{3,4}}",
                               "{{+-1,2},{3,4}}",
                               "{{1,2},,{3,4}}"};
    for (const char* text : malformed) {
        rect = CCRect(9, 9, 9, 9);
        EXPECT_FALSE(parseRectString(text, rect)) << text;
        EXPECT_EQ(rect, CCRect(9, 9, 9, 9)) << "untouched on failure: " << text;
    }
    EXPECT_FALSE(parsePointString("{1,2},", point));
    EXPECT_FALSE(parseSizeString("{1}", size));
    EXPECT_EQ(CCRectFromString("junk"), CCRectZero);
    EXPECT_EQ(CCPointFromString(nullptr), CCPointZero);
    EXPECT_EQ(CCSizeFromString("{4,5}"), CCSize(4, 5));
}

TEST_F(SpriteFrameCacheTest, LoadsFramesWithRectRotationOffsetAndOriginalSize) {
    const std::string plist = Atlas::write("frames");
    cache->addSpriteFramesWithFile(plist.c_str());
    EXPECT_EQ(cache->frameCount(), 3u);
    EXPECT_TRUE(cache->isFileLoaded(plist.c_str()));

    CCSpriteFrame* turned = cache->spriteFrameByName("turned.png");
    ASSERT_NE(turned, nullptr);
    EXPECT_EQ(turned->getRect(), CCRect(20, 0, 16, 8));
    EXPECT_TRUE(turned->isRotated());
    CCSpriteFrame* trimmed = cache->spriteFrameByName("trimmed.png");
    ASSERT_NE(trimmed, nullptr);
    EXPECT_EQ(trimmed->getOffset(), CCPoint(3, -2));
    EXPECT_EQ(trimmed->getOriginalSize(), CCSize(20, 20));
    ASSERT_NE(trimmed->getTexture(), nullptr);
    EXPECT_EQ(trimmed->getTexture()->getPixelsWide(), 64u);
    EXPECT_EQ(cache->spriteFrameByName("nope"), nullptr);
    EXPECT_EQ(cache->spriteFrameByName(nullptr), nullptr);

    // Loading the same atlas again changes nothing.
    CCSpriteFrame* before = cache->spriteFrameByName("upright.png");
    cache->addSpriteFramesWithFile(plist.c_str());
    EXPECT_EQ(cache->spriteFrameByName("upright.png"), before);

    cache->removeSpriteFramesFromFile(plist.c_str());
    EXPECT_EQ(cache->frameCount(), 0u);
    EXPECT_FALSE(cache->isFileLoaded(plist.c_str()));
}

TEST_F(SpriteFrameCacheTest, FramesDoNotKeepTheSheetInMemory) {
    const std::string plist = Atlas::write("lazy");
    cache->addSpriteFramesWithFile(plist.c_str());
    test::drainAutoreleasePool();
    CCTextureCache* textures = CCTextureCache::sharedTextureCache();
    textures->removeUnusedTextures();
    EXPECT_EQ(textures->textureCount(), 0u);
    // The sheet is read again when a sprite needs it.
    CCSprite* sprite = CCSprite::createWithSpriteFrameName("upright.png");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getContentSize(), CCSize(16, 8));
    EXPECT_EQ(textures->textureCount(), 1u);
}

TEST_F(SpriteFrameCacheTest, OtherFormatsAndTextureNames) {
    test::writePng("formats.png", 64, 64, Atlas::pixel);
    // Format 3 with an alias, format 0, no metadata (the texture is the atlas's name with .png).
    const std::string frames =
        "<key>three</key><dict><key>textureRect</key><string>{{20,0},{16,8}}</string>"
        "<key>textureRotated</key><true/><key>spriteOffset</key><string>{1,1}</string>"
        "<key>spriteSourceSize</key><string>{18,10}</string>"
        "<key>aliases</key><array><string>three-alias</string></array></dict>"
        "<key>zero</key><dict><key>x</key><integer>0</integer><key>y</key><integer>30</integer>"
        "<key>width</key><integer>10</integer><key>height</key><real>6</real>"
        "<key>offsetX</key><real>3</real><key>offsetY</key><real>-2</real>"
        "<key>originalWidth</key><integer>-20</integer><key>originalHeight</key><integer>20</integer></dict>";
    const std::string plist = test::writeFile("formats.plist", Atlas::plist(frames, ""));
    cache->addSpriteFramesWithFile(plist.c_str());
    CCSpriteFrame* three = cache->spriteFrameByName("three-alias");
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three, cache->spriteFrameByName("three"));
    EXPECT_TRUE(three->isRotated());
    EXPECT_EQ(three->getOffset(), CCPoint(1, 1));
    EXPECT_EQ(three->getOriginalSize(), CCSize(18, 10));
    CCSpriteFrame* zero = cache->spriteFrameByName("zero");
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero->getRect(), CCRect(0, 30, 10, 6));
    EXPECT_EQ(zero->getOriginalSize(), CCSize(20, 20));

    // The texture given as an object: frames hold it.
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage((test::scratchDir() + "formats.png").c_str());
    const std::string held = test::writeFile(
        "held.plist", Atlas::plist("<key>held</key><dict><key>frame</key><string>{{0,0},{16,8}}</string></dict>", ""));
    cache->addSpriteFramesWithFile(held.c_str(), texture);
    ASSERT_NE(cache->spriteFrameByName("held"), nullptr);
    EXPECT_EQ(cache->spriteFrameByName("held")->getTexture(), texture);
    EXPECT_EQ(cache->spriteFrameByName("held")->getOriginalSize(), CCSize(16, 8)) << "no sourceSize: the rect";
    cache->removeSpriteFramesFromTexture(texture);
    EXPECT_EQ(cache->spriteFrameByName("held"), nullptr);
    EXPECT_EQ(cache->spriteFrameByName("three"), nullptr) << "named the same texture file";

    // The texture named by the caller instead of the atlas.
    test::writePng("other-name.png", 64, 64, Atlas::pixel);
    const std::string renamed = test::writeFile("renamed.plist", Atlas::plist(frames, "missing.png"));
    cache->addSpriteFramesWithFile(renamed.c_str(), (test::scratchDir() + "other-name.png").c_str());
    EXPECT_TRUE(cache->isFileLoaded(renamed.c_str()));
}

TEST_F(SpriteFrameCacheTest, MalformedFramesAreSkippedAndTheRestLoad) {
    test::writePng("bad.png", 64, 64, Atlas::pixel);
    const std::string good = Atlas::frameXml("good", "{{0,0},{16,8}}", false, "{0,0}", "{16,8}");
    const std::string frames = good + Atlas::frameXml("outside", "{{60,0},{16,8}}", false, "{0,0}", "{16,8}") +
                               Atlas::frameXml("rotated-outside", "{{0,50},{16,8}}", true, "{0,0}", "{16,8}") +
                               Atlas::frameXml("negative", "{{-1,0},{4,4}}", false, "{0,0}", "{4,4}") +
                               Atlas::frameXml("empty", "{{0,0},{0,4}}", false, "{0,0}", "{4,4}") +
                               Atlas::frameXml("bad-rect", "{{0,0},{4,}}", false, "{0,0}", "{4,4}") +
                               Atlas::frameXml("bad-offset", "{{0,0},{4,4}}", false, "{0,zero}", "{4,4}") +
                               Atlas::frameXml("nan", "{{0,0},{nan,4}}", false, "{0,0}", "{4,4}") +
                               "<key>not-a-dict</key><string>{{0,0},{4,4}}</string>"
                               "<key>no-keys</key><dict><key>whatever</key><integer>1</integer></dict>"
                               "<key>zero-format-junk</key><dict><key>x</key><string>lots</string></dict>";
    const std::string plist = test::writeFile("bad.plist", Atlas::plist(frames, "bad.png"));
    cache->addSpriteFramesWithFile(plist.c_str());
    EXPECT_EQ(cache->frameCount(), 1u);
    EXPECT_NE(cache->spriteFrameByName("good"), nullptr);

    // A missing texture skips the whole atlas; a missing or empty file loads nothing.
    const std::string orphan = test::writeFile("orphan.plist", Atlas::plist(good, "not-there.png"));
    cache->addSpriteFramesWithFile(orphan.c_str());
    cache->addSpriteFramesWithFile("no-such-atlas.plist");
    cache->addSpriteFramesWithFile(test::writeFile("empty.plist", "").c_str());
    cache->addSpriteFramesWithFile(nullptr);
    EXPECT_EQ(cache->frameCount(), 1u);
    EXPECT_EQ(CCSprite::createWithSpriteFrameName("outside"), nullptr);
}

TEST_F(SpriteFrameCacheTest, SurvivesMangledAtlases) {
    const std::string original = test::readBytes(Atlas::write("fuzz"));
    std::mt19937 random(1234);
    const char alphabet[] = "{}<>/,.-+e0123456789 \"=abcdefghijklmnopqrstuvwxyz\n";
    // Most edits land inside the geometry strings, so that the XML survives and the frame
    // reader, not the XML parser, sees the damage.
    std::vector<std::size_t> geometry;
    for (std::size_t i = 0; i < original.size(); ++i) {
        if (original[i] == '{' || original[i] == ',' || (original[i] >= '0' && original[i] <= '9')) {
            geometry.push_back(i);
        }
    }
    for (int round = 0; round < 300; ++round) {
        std::string bytes = original;
        const int edits = 1 + static_cast<int>(random() % 12);
        for (int e = 0; e < edits; ++e) {
            std::size_t at = random() % 4 == 0 ? random() % bytes.size() : geometry[random() % geometry.size()];
            at = std::min(at, bytes.size() - 1);
            switch (random() % 3) {
                case 0:
                    bytes[at] = alphabet[random() % (sizeof alphabet - 1)];
                    break;
                case 1:
                    bytes.erase(at, 1 + random() % 8);
                    break;
                default:
                    bytes.insert(at, 1, static_cast<char>(random() % 256));
                    break;
            }
            if (bytes.empty()) {
                bytes = "x";
            }
        }
        const std::string name = "fuzz-" + std::to_string(round % 4) + ".plist";
        const std::string path = test::writeFile(name, bytes);
        cache->removeSpriteFramesFromFile(path.c_str());
        cache->addSpriteFramesWithFile(path.c_str(), (test::scratchDir() + "fuzz.png").c_str());
        // Whatever loaded must fit the sheet and draw without trouble.
        for (const char* frameName : {"upright.png", "turned.png", "trimmed.png"}) {
            if (CCSprite* sprite = CCSprite::createWithSpriteFrameName(frameName)) {
                const CCRect r = sprite->getTextureRect();
                const float w = sprite->isTextureRectRotated() ? r.size.height : r.size.width;
                const float h = sprite->isTextureRectRotated() ? r.size.width : r.size.height;
                EXPECT_LE(r.origin.x + w, 64.01f);
                EXPECT_LE(r.origin.y + h, 64.01f);
                EXPECT_GE(r.origin.x, 0.0f);
            }
        }
        test::drainAutoreleasePool();
    }
}

}  // namespace
}  // namespace lirava
