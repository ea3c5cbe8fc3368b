#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/base/CCObject.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"
#include "support/EngineEnvironment.h"
#include "support/RecordingRenderer.h"
#include "support/TestImages.h"

namespace lirava {
namespace {

class TextureCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        cache = CCTextureCache::sharedTextureCache();
        cache->removeAllTextures();
        cache->setUnusedBudget(CCTextureCache::kDefaultUnusedBudget);
        test::drainAutoreleasePool();
    }
    void TearDown() override {
        test::drainAutoreleasePool();
        cache->removeAllTextures();
        cache->setUnusedBudget(CCTextureCache::kDefaultUnusedBudget);
    }

    // An image of exactly `bytes / 4` pixels, one row high.
    std::string imageOfBytes(const std::string& name, int bytes) {
        return test::writePng(name, bytes / 4, 1, [](int, int) { return test::kWhite; });
    }

    CCTextureCache* cache = nullptr;
};

TEST_F(TextureCacheTest, CachesByFullPathAndReportsMissingFiles) {
    const std::string path = test::writeQuadrants("cached.png", 8, 6);
    CCTexture2D* first = cache->addImage(path.c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getPixelsWide(), 8u);
    EXPECT_EQ(first->getContentSize(), CCSize(8, 6));
    // A resource name and the full path it resolves to are one texture.
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const std::string root = files->getResourceRoot();
    files->setResourceRoot(test::scratchDir());
    EXPECT_EQ(cache->addImage("cached.png"), first);
    files->setResourceRoot(root);
    EXPECT_EQ(cache->addImage(path.c_str()), first);
    EXPECT_EQ(cache->textureForKey(path.c_str()), first);
    EXPECT_EQ(cache->keyForTexture(first), path);
    EXPECT_EQ(cache->textureCount(), 1u);

    EXPECT_EQ(cache->addImage("Images/definitely-missing.png"), nullptr);
    EXPECT_EQ(cache->addImage(""), nullptr);
    EXPECT_EQ(cache->addImage(nullptr), nullptr);
    EXPECT_EQ(cache->textureForKey("Images/definitely-missing.png"), nullptr);
    EXPECT_EQ(cache->textureCount(), 1u);

    cache->removeTextureForKey(path.c_str());
    EXPECT_EQ(cache->textureForKey(path.c_str()), nullptr);
}

// A page asks for its pictures every time it is built; a book that went away logs each once.
TEST_F(TextureCacheTest, AMissingImageIsLoggedOnceUntilItIsBack) {
    const std::string path = test::writeQuadrants("comes-and-goes.png", 4, 4);
    const std::string away = path + ".away";
    ASSERT_EQ(std::rename(path.c_str(), away.c_str()), 0);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(cache->addImage(path.c_str()), nullptr);
    EXPECT_EQ(cache->addImage(path.c_str()), nullptr);
    ASSERT_EQ(std::rename(away.c_str(), path.c_str()), 0);
    EXPECT_NE(cache->addImage(path.c_str()), nullptr);
    cache->removeTextureForKey(path.c_str());
    ASSERT_EQ(std::rename(path.c_str(), away.c_str()), 0);
    EXPECT_EQ(cache->addImage(path.c_str()), nullptr);
    const std::string line = "texture: cannot read image " + path + "\n";
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), line + line);
    std::remove(away.c_str());
}

TEST_F(TextureCacheTest, ALookedUpTextureLivesToTheEndOfTheFrame) {
    const std::string path = test::writeQuadrants("frame-life.png", 4, 4);
    CCTexture2D* texture = cache->addImage(path.c_str());
    ASSERT_NE(texture, nullptr);
    // Not yet retained by anyone but the cache and this frame's pool: not unused.
    cache->removeUnusedTextures();
    EXPECT_EQ(cache->textureForKey(path.c_str()), texture);
    test::drainAutoreleasePool();
    cache->removeUnusedTextures();
    EXPECT_EQ(cache->textureCount(), 0u);
}

TEST_F(TextureCacheTest, UnusedTexturesAreDroppedLeastRecentlyUsedFirstWithinTheBudget) {
    const std::string a = imageOfBytes("budget-a.png", 4000);
    const std::string b = imageOfBytes("budget-b.png", 4000);
    const std::string c = imageOfBytes("budget-c.png", 4000);
    const std::string d = imageOfBytes("budget-d.png", 4000);
    cache->setUnusedBudget(8000);

    CCTexture2D* held = cache->addImage(a.c_str());
    held->retain();  // a sprite shows it
    cache->addImage(b.c_str());
    cache->addImage(c.c_str());
    test::drainAutoreleasePool();
    cache->textureForKey(b.c_str());  // b is now more recent than c
    test::drainAutoreleasePool();
    EXPECT_EQ(cache->unusedBytes(), 8000u);

    cache->addImage(d.c_str());
    test::drainAutoreleasePool();
    // The budget is applied before the next decode; c, least recently used, goes. The held one
    // is not unused and never goes.
    EXPECT_EQ(cache->unusedBytes(), 12000u);
    cache->trimUnusedTextures();
    EXPECT_NE(cache->textureForKey(a.c_str()), nullptr);
    EXPECT_NE(cache->textureForKey(b.c_str()), nullptr);
    EXPECT_EQ(cache->textureForKey(c.c_str()), nullptr);
    EXPECT_NE(cache->textureForKey(d.c_str()), nullptr);
    test::drainAutoreleasePool();

    // A zero budget keeps only what is in use.
    cache->setUnusedBudget(0);
    EXPECT_EQ(cache->textureCount(), 1u);
    EXPECT_EQ(cache->textureForKey(a.c_str()), held);
    EXPECT_EQ(cache->totalBytes(), 4000u);
    held->release();
}

TEST_F(TextureCacheTest, PixelsMoveToTheRendererOnFirstDrawAndComeBackFromTheFile) {
    const std::size_t liveBefore = CCObject::liveObjectCount();
    const std::string path = test::writeQuadrants("upload.png", 6, 4);
    CCTexture2D* texture = cache->addImage(path.c_str());
    ASSERT_NE(texture, nullptr);
    texture->retain();
    ASSERT_NE(texture->getImage(), nullptr);
    EXPECT_EQ(texture->getName(), 0u) << "no renderer yet";
    {
        test::RecordingRenderer renderer;
        const TextureId id = texture->getName();
        EXPECT_NE(id, 0u);
        EXPECT_EQ(texture->getImage(), nullptr) << "one copy once uploaded";
        EXPECT_EQ(texture->textureIdFor(renderer), id);
        EXPECT_EQ(renderer.textures.at(id).width(), 6);
        EXPECT_EQ(texture->getMemoryBytes(), 6u * 4u * 4u);
    }
    // The renderer went away; a new one gets the pixels again from the file.
    test::RecordingRenderer second;
    const TextureId again = texture->getName();
    ASSERT_NE(again, 0u);
    EXPECT_EQ(second.textures.at(again).width(), 6);

    // Dropping the texture frees its handle in the renderer that has it.
    texture->release();
    test::drainAutoreleasePool();
    cache->removeAllTextures();
    EXPECT_EQ(second.textures.count(again), 0u);
    EXPECT_EQ(CCObject::liveObjectCount(), liveBefore);
}

TEST_F(TextureCacheTest, TextureFromMemoryDrawsNothingOnceItsRendererIsGone) {
    CCTexture2D* texture = new CCTexture2D();
    ASSERT_TRUE(texture->initWithImage(test::makeImage(2, 2, [](int, int) { return test::kRed; })));
    {
        test::RecordingRenderer renderer;
        EXPECT_NE(texture->getName(), 0u);
    }
    test::RecordingRenderer other;
    EXPECT_EQ(texture->getName(), 0u);
    EXPECT_FALSE(texture->initWithImage(Image()));
    EXPECT_EQ(texture->getPixelsWide(), 0u);
    texture->release();
}

}  // namespace
}  // namespace lirava
