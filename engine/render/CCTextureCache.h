#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>

namespace lirava {

class CCTexture2D;

// Textures by the full path of their image file, shared by every sprite that shows the file.
//
// Memory policy: a texture is "unused" when the cache holds the only reference to it (no
// sprite, frame or batch node retains it). Unused textures stay cached up to a byte budget
// (kDefaultUnusedBudget, settable): before a new image is decoded, unused textures are dropped
// least recently used first until the unused ones fit. The default keeps none: the largest page
// turn (into a page of the 2048 x 1620 word sheet, with both pages' pictures and the curl's two
// targets in memory) then stays within the 48 MiB the book may take, at the price of decoding a
// page's picture again when the reader turns back to it. A page still on show, and the one it
// turns to, keep theirs. Textures in use are never dropped. addImage and textureForKey also put
// the texture they return into the autorelease pool once, so that a texture just looked up
// lives at least to the end of the frame even if the caller has not retained it yet.
class CCTextureCache {
public:
    static constexpr std::size_t kDefaultUnusedBudget = 0;

    static CCTextureCache* sharedTextureCache();
    // Drops every cached texture and the cache itself.
    static void purgeSharedTextureCache();

    // The texture of an image file (name resolved through CCFileUtils), read on first use; null
    // when the file is missing or cannot be decoded.
    CCTexture2D* addImage(const char* path);
    // A cached texture by file name or full path, or null; never reads a file.
    CCTexture2D* textureForKey(const char* key);
    // The cache key (full path) of a cached texture, or empty.
    std::string keyForTexture(const CCTexture2D* texture) const;

    void removeTexture(CCTexture2D* texture);
    void removeTextureForKey(const char* key);
    // Drops every texture that only the cache holds.
    void removeUnusedTextures();
    void removeAllTextures();

    void setUnusedBudget(std::size_t bytes);
    std::size_t getUnusedBudget() const { return m_unusedBudget; }
    // Applies the budget now (addImage does it before each decode).
    void trimUnusedTextures();

    std::size_t textureCount() const { return m_textures.size(); }
    // Bytes of all cached textures, and of the unused ones among them.
    std::size_t totalBytes() const;
    std::size_t unusedBytes() const;

private:
    CCTextureCache() = default;
    ~CCTextureCache();

    struct Entry {
        CCTexture2D* texture;
        unsigned long long lastUse;
    };
    CCTexture2D* touch(Entry& entry);

    std::unordered_map<std::string, Entry> m_textures;
    unsigned long long m_useCounter = 0;
    std::size_t m_unusedBudget = kDefaultUnusedBudget;
};

}  // namespace lirava
