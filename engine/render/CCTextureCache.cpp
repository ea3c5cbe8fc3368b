#include "engine/render/CCTextureCache.h"

#include <algorithm>
#include <vector>

#include "engine/base/CCLog.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/render/CCTexture2D.h"

namespace lirava {

namespace {
CCTextureCache* g_textureCache = nullptr;

bool isUnused(const CCTexture2D* texture) {
    return texture->retainCount() == 1;
}
}  // namespace

CCTextureCache* CCTextureCache::sharedTextureCache() {
    if (!g_textureCache) {
        g_textureCache = new CCTextureCache();
    }
    return g_textureCache;
}

void CCTextureCache::purgeSharedTextureCache() {
    delete g_textureCache;
    g_textureCache = nullptr;
}

CCTextureCache::~CCTextureCache() {
    removeAllTextures();
}

CCTexture2D* CCTextureCache::touch(Entry& entry) {
    entry.lastUse = ++m_useCounter;
    // Alive at least until the end of the frame, even if the budget is applied before the caller
    // retains it.
    entry.texture->retain();
    entry.texture->autorelease();
    return entry.texture;
}

CCTexture2D* CCTextureCache::addImage(const char* path) {
    if (!path || !*path) {
        return nullptr;
    }
    const std::string fullPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(path);
    auto found = m_textures.find(fullPath);
    if (found != m_textures.end()) {
        return touch(found->second);
    }
    trimUnusedTextures();
    CCTexture2D* texture = new CCTexture2D();
    if (!texture->initWithFile(fullPath)) {
        texture->release();
        if (CCFileUtils::sharedFileUtils()->isNewFailure(fullPath)) {
            CCLog("texture: cannot read image %s", fullPath.c_str());
        }
        return nullptr;
    }
    auto inserted = m_textures.emplace(fullPath, Entry{texture, 0});
    return touch(inserted.first->second);
}

CCTexture2D* CCTextureCache::textureForKey(const char* key) {
    if (!key || !*key) {
        return nullptr;
    }
    auto found = m_textures.find(CCFileUtils::sharedFileUtils()->fullPathForFilename(key));
    return found == m_textures.end() ? nullptr : touch(found->second);
}

std::string CCTextureCache::keyForTexture(const CCTexture2D* texture) const {
    for (const auto& entry : m_textures) {
        if (entry.second.texture == texture) {
            return entry.first;
        }
    }
    return std::string();
}

void CCTextureCache::removeTexture(CCTexture2D* texture) {
    if (!texture) {
        return;
    }
    for (auto it = m_textures.begin(); it != m_textures.end(); ++it) {
        if (it->second.texture == texture) {
            m_textures.erase(it);
            texture->release();
            return;
        }
    }
}

void CCTextureCache::removeTextureForKey(const char* key) {
    if (!key || !*key) {
        return;
    }
    auto found = m_textures.find(CCFileUtils::sharedFileUtils()->fullPathForFilename(key));
    if (found != m_textures.end()) {
        CCTexture2D* texture = found->second.texture;
        m_textures.erase(found);
        texture->release();
    }
}

void CCTextureCache::removeUnusedTextures() {
    for (auto it = m_textures.begin(); it != m_textures.end();) {
        if (isUnused(it->second.texture)) {
            it->second.texture->release();
            it = m_textures.erase(it);
        } else {
            ++it;
        }
    }
}

void CCTextureCache::removeAllTextures() {
    std::unordered_map<std::string, Entry> old;
    old.swap(m_textures);
    for (auto& entry : old) {
        entry.second.texture->release();
    }
}

void CCTextureCache::setUnusedBudget(std::size_t bytes) {
    m_unusedBudget = bytes;
    trimUnusedTextures();
}

void CCTextureCache::trimUnusedTextures() {
    std::vector<std::pair<unsigned long long, std::string>> unused;
    std::size_t bytes = 0;
    for (const auto& entry : m_textures) {
        if (isUnused(entry.second.texture)) {
            unused.emplace_back(entry.second.lastUse, entry.first);
            bytes += entry.second.texture->getMemoryBytes();
        }
    }
    if (bytes <= m_unusedBudget) {
        return;
    }
    std::sort(unused.begin(), unused.end());  // least recently used first
    for (const auto& candidate : unused) {
        if (bytes <= m_unusedBudget) {
            break;
        }
        auto found = m_textures.find(candidate.second);
        bytes -= found->second.texture->getMemoryBytes();
        found->second.texture->release();
        m_textures.erase(found);
    }
}

std::size_t CCTextureCache::totalBytes() const {
    std::size_t bytes = 0;
    for (const auto& entry : m_textures) {
        bytes += entry.second.texture->getMemoryBytes();
    }
    return bytes;
}

std::size_t CCTextureCache::unusedBytes() const {
    std::size_t bytes = 0;
    for (const auto& entry : m_textures) {
        if (isUnused(entry.second.texture)) {
            bytes += entry.second.texture->getMemoryBytes();
        }
    }
    return bytes;
}

}  // namespace lirava
