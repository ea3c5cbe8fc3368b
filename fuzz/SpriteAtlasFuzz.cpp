// Any bytes as a sprite-sheet atlas: loaded into the frame cache twice (over a texture in memory,
// and over the image its metadata names), every frame it declares made into a sprite and drawn,
// then every frame removed again without a leak.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/CCAffineTransform.h"
#include "engine/base/CCArray.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCString.h"
#include "engine/nodes/CCSprite.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/Image.h"
#include "fuzz/FuzzSupport.h"

using namespace lirava;

namespace {

CCTexture2D* sheetTexture() {
    static CCTexture2D* texture = [] {
        Image image;
        std::vector<std::uint8_t> pixels(256 * 192 * 4, 200);
        image.initWithRawData(pixels.data(), 256, 192);
        auto* made = new CCTexture2D();
        made->initWithImage(std::move(image));
        return made;
    }();
    return texture;
}

// The frame names the atlas declares, read the way the cache reads them.
std::vector<std::string> declaredFrames(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> names;
    CCDictionary* atlas = CCDictionary::createWithContentsOfData(reinterpret_cast<const char*>(data), size);
    if (auto* frames = dynamic_cast<CCDictionary*>(atlas->objectForKey("frames"))) {
        for (const auto& entry : frames->elements()) {
            if (names.size() < 64) {
                names.push_back(entry.first);
            }
        }
    }
    return names;
}

void drawFrames(const std::vector<std::string>& names) {
    fuzz::CheckingRenderer& renderer = fuzz::checkingRenderer();
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    for (const std::string& name : names) {
        if (cache->spriteFrameByName(name.c_str())) {
            if (CCSprite* sprite = CCSprite::createWithSpriteFrameName(name.c_str())) {
                sprite->setFlipX(name.size() % 2 == 0);
                sprite->visit(renderer, CCAffineTransformMakeIdentity());
            }
        }
    }
}

void runOnce(const std::uint8_t* data, std::size_t size, bool checkLeaks) {
    const std::string& root = fuzz::setUpEngine();
    fuzz::checkingRenderer();
    CCTexture2D* texture = sheetTexture();
    static const std::string atlas = "english5down/atlas.plist";
    if (!fuzz::writeFile(root + "/" + atlas, data, size)) {
        return;
    }
    const std::size_t before = fuzz::liveNonTextureObjects();
    CCPoolManager::sharedPoolManager()->push();
    {
        const std::vector<std::string> names = declaredFrames(data, size);
        CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
        cache->addSpriteFramesWithFile(atlas.c_str(), texture);
        drawFrames(names);
        cache->removeSpriteFramesFromFile(atlas.c_str());
        cache->addSpriteFramesWithFile(atlas.c_str());
        drawFrames(names);
        cache->removeUnusedSpriteFrames();
        cache->removeSpriteFramesFromFile(atlas.c_str());
        cache->removeSpriteFrames();
    }
    CCPoolManager::sharedPoolManager()->pop();
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCPoolManager::sharedPoolManager()->drainAll();
    if (checkLeaks) {
        fuzz::expectNoObjectLeak(before, "sprite atlas");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::runAfterWarmUp(&runOnce, data, size);
    return 0;
}
