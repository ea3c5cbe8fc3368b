#include "engine/nodes/CCSpriteFrameCache.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/base/CCArray.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCInteger.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCNS.h"
#include "engine/base/CCString.h"
#include "engine/nodes/CCSpriteFrame.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"

namespace lirava {

namespace {

CCSpriteFrameCache* g_frameCache = nullptr;

// Frames stay inside their texture up to this much rounding.
constexpr float kEdgeTolerance = 0.01f;

bool readBool(CCObject* object, bool fallback) {
    if (CCBool* b = dynamic_cast<CCBool*>(object)) {
        return b->getValue();
    }
    if (CCInteger* i = dynamic_cast<CCInteger*>(object)) {
        return i->getValue() != 0;
    }
    if (CCString* s = dynamic_cast<CCString*>(object)) {
        return s->boolValue();
    }
    return fallback;
}

// A number from an integer, real or numeric string; false when absent or not a finite number.
bool readNumber(CCObject* object, float& out) {
    double value = 0.0;
    if (CCInteger* i = dynamic_cast<CCInteger*>(object)) {
        value = i->getValue();
    } else if (CCDouble* d = dynamic_cast<CCDouble*>(object)) {
        value = d->getValue();
    } else if (CCString* s = dynamic_cast<CCString*>(object)) {
        const char* begin = s->getCString();
        char* end = nullptr;
        value = std::strtod(begin, &end);
        if (end == begin) {
            return false;
        }
    } else {
        return false;
    }
    const float narrowed = static_cast<float>(value);
    if (!std::isfinite(value) || !std::isfinite(narrowed)) {
        return false;
    }
    out = narrowed;
    return true;
}

const std::string* stringValue(CCDictionary* dict, const char* key) {
    CCString* s = dynamic_cast<CCString*>(dict->objectForKey(key));
    return s ? &s->str() : nullptr;
}

struct FrameData {
    CCRect rect;
    bool rotated = false;
    CCPoint offset;
    CCSize originalSize;
    std::vector<std::string> aliases;
};

// Reads one frame dict by the keys it carries; false when it is malformed.
bool readFrame(CCDictionary* dict, FrameData& frame) {
    if (const std::string* textureRect = stringValue(dict, "textureRect")) {
        if (!parseRectString(*textureRect, frame.rect)) {
            return false;
        }
        frame.rotated = readBool(dict->objectForKey("textureRotated"), false);
        if (const std::string* offset = stringValue(dict, "spriteOffset")) {
            if (!parsePointString(*offset, frame.offset)) {
                return false;
            }
        }
        if (const std::string* source = stringValue(dict, "spriteSourceSize")) {
            if (!parseSizeString(*source, frame.originalSize)) {
                return false;
            }
        }
        if (CCArray* aliases = dynamic_cast<CCArray*>(dict->objectForKey("aliases"))) {
            for (CCObject* alias : *aliases) {
                if (CCString* name = dynamic_cast<CCString*>(alias)) {
                    frame.aliases.push_back(name->str());
                }
            }
        }
        return true;
    }
    if (const std::string* rect = stringValue(dict, "frame")) {
        if (!parseRectString(*rect, frame.rect)) {
            return false;
        }
        frame.rotated = readBool(dict->objectForKey("rotated"), false);
        if (const std::string* offset = stringValue(dict, "offset")) {
            if (!parsePointString(*offset, frame.offset)) {
                return false;
            }
        }
        if (const std::string* source = stringValue(dict, "sourceSize")) {
            if (!parseSizeString(*source, frame.originalSize)) {
                return false;
            }
        }
        return true;
    }
    if (dict->objectForKey("x")) {
        float x, y, w, h;
        if (!readNumber(dict->objectForKey("x"), x) || !readNumber(dict->objectForKey("y"), y) ||
            !readNumber(dict->objectForKey("width"), w) || !readNumber(dict->objectForKey("height"), h)) {
            return false;
        }
        frame.rect = CCRect(x, y, w, h);
        float ox = 0.0f, oy = 0.0f, ow = 0.0f, oh = 0.0f;
        readNumber(dict->objectForKey("offsetX"), ox);
        readNumber(dict->objectForKey("offsetY"), oy);
        readNumber(dict->objectForKey("originalWidth"), ow);
        readNumber(dict->objectForKey("originalHeight"), oh);
        frame.offset = CCPoint(ox, oy);
        frame.originalSize = CCSize(std::fabs(ow), std::fabs(oh));
        return true;
    }
    return false;
}

bool fitsTexture(const FrameData& frame, float textureWidth, float textureHeight) {
    const CCRect& r = frame.rect;
    if (!(r.size.width > 0.0f) || !(r.size.height > 0.0f) || r.origin.x < 0.0f || r.origin.y < 0.0f) {
        return false;
    }
    const float occupiedWidth = frame.rotated ? r.size.height : r.size.width;
    const float occupiedHeight = frame.rotated ? r.size.width : r.size.height;
    return r.origin.x + occupiedWidth <= textureWidth + kEdgeTolerance &&
           r.origin.y + occupiedHeight <= textureHeight + kEdgeTolerance;
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

CCSpriteFrameCache* CCSpriteFrameCache::sharedSpriteFrameCache() {
    if (!g_frameCache) {
        g_frameCache = new CCSpriteFrameCache();
    }
    return g_frameCache;
}

void CCSpriteFrameCache::purgeSharedSpriteFrameCache() {
    delete g_frameCache;
    g_frameCache = nullptr;
}

CCSpriteFrameCache::~CCSpriteFrameCache() {
    removeSpriteFrames();
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* plist) {
    if (!plist || !*plist) {
        return;
    }
    const std::string plistPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(plist);
    if (m_loadedFiles.count(plistPath)) {
        return;
    }
    CCDictionary* dict = CCDictionary::createWithContentsOfFile(plistPath.c_str());
    std::string texturePath;
    if (CCDictionary* metadata = dynamic_cast<CCDictionary*>(dict->objectForKey("metadata"))) {
        if (const std::string* name = stringValue(metadata, "textureFileName")) {
            if (!name->empty()) {
                texturePath = directoryOf(plistPath) + *name;
            }
        }
    }
    if (texturePath.empty()) {
        const std::size_t dot = plistPath.find_last_of('.');
        const std::size_t slash = plistPath.find_last_of('/');
        const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
        texturePath = (hasExtension ? plistPath.substr(0, dot) : plistPath) + ".png";
    }
    addFramesFromDictionary(dict, plistPath, texturePath, nullptr);
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* plist, const char* textureFile) {
    if (!plist || !*plist || !textureFile || !*textureFile) {
        return;
    }
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const std::string plistPath = files->fullPathForFilename(plist);
    if (m_loadedFiles.count(plistPath)) {
        return;
    }
    addFramesFromDictionary(CCDictionary::createWithContentsOfFile(plistPath.c_str()), plistPath,
                            files->fullPathForFilename(textureFile), nullptr);
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* plist, CCTexture2D* texture) {
    if (!plist || !*plist || !texture) {
        return;
    }
    const std::string plistPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(plist);
    if (m_loadedFiles.count(plistPath)) {
        return;
    }
    addFramesFromDictionary(CCDictionary::createWithContentsOfFile(plistPath.c_str()), plistPath, std::string(),
                            texture);
}

void CCSpriteFrameCache::addFramesFromDictionary(CCDictionary* dict, const std::string& plistPath,
                                                 const std::string& texturePath, CCTexture2D* texture) {
    CCDictionary* frames = dynamic_cast<CCDictionary*>(dict->objectForKey("frames"));
    if (!frames) {
        CCLog("sprite frames: %s has no frames", plistPath.c_str());
        return;
    }
    // The texture is read now to check every frame against its size; the frames themselves name
    // the file and leave the pixels to the texture cache's policy.
    CCTexture2D* measured = texture ? texture : CCTextureCache::sharedTextureCache()->addImage(texturePath.c_str());
    if (!measured) {
        CCLog("sprite frames: %s: cannot read its texture %s", plistPath.c_str(), texturePath.c_str());
        return;
    }
    const float textureWidth = static_cast<float>(measured->getPixelsWide());
    const float textureHeight = static_cast<float>(measured->getPixelsHigh());
    std::set<std::string>& names = m_loadedFiles[plistPath];
    for (const auto& entry : frames->elements()) {
        CCDictionary* frameDict = dynamic_cast<CCDictionary*>(entry.second);
        FrameData data;
        if (!frameDict || !readFrame(frameDict, data) || !fitsTexture(data, textureWidth, textureHeight)) {
            CCLog("sprite frames: %s: skipping frame \"%s\"", plistPath.c_str(), entry.first.c_str());
            continue;
        }
        if (!(data.originalSize.width > 0.0f) || !(data.originalSize.height > 0.0f)) {
            data.originalSize = data.rect.size;
        }
        CCSpriteFrame* frame =
            texture
                ? CCSpriteFrame::createWithTexture(texture, data.rect, data.rotated, data.offset, data.originalSize)
                : CCSpriteFrame::create(texturePath.c_str(), data.rect, data.rotated, data.offset, data.originalSize);
        if (!frame) {
            continue;
        }
        setFrame(entry.first, frame);
        names.insert(entry.first);
        for (const std::string& alias : data.aliases) {
            m_aliases[alias] = entry.first;
        }
    }
}

void CCSpriteFrameCache::setFrame(const std::string& name, CCSpriteFrame* frame) {
    frame->retain();
    auto found = m_frames.find(name);
    if (found != m_frames.end()) {
        found->second->release();
        found->second = frame;
    } else {
        m_frames.emplace(name, frame);
    }
}

void CCSpriteFrameCache::addSpriteFrame(CCSpriteFrame* frame, const char* frameName) {
    if (frame && frameName) {
        setFrame(frameName, frame);
    }
}

CCSpriteFrame* CCSpriteFrameCache::spriteFrameByName(const char* name) {
    if (!name) {
        return nullptr;
    }
    auto found = m_frames.find(name);
    if (found != m_frames.end()) {
        return found->second;
    }
    auto alias = m_aliases.find(name);
    if (alias != m_aliases.end()) {
        found = m_frames.find(alias->second);
        if (found != m_frames.end()) {
            return found->second;
        }
    }
    return nullptr;
}

void CCSpriteFrameCache::removeSpriteFrames() {
    std::map<std::string, CCSpriteFrame*> old;
    old.swap(m_frames);
    for (auto& entry : old) {
        entry.second->release();
    }
    m_aliases.clear();
    m_loadedFiles.clear();
}

void CCSpriteFrameCache::removeUnusedSpriteFrames() {
    std::vector<std::string> unused;
    for (const auto& entry : m_frames) {
        if (entry.second->retainCount() == 1) {
            unused.push_back(entry.first);
        }
    }
    for (const std::string& name : unused) {
        removeSpriteFrameByName(name.c_str());
    }
}

void CCSpriteFrameCache::removeSpriteFrameByName(const char* name) {
    if (!name) {
        return;
    }
    std::string key = name;
    auto alias = m_aliases.find(key);
    if (alias != m_aliases.end()) {
        key = alias->second;
        m_aliases.erase(alias);
    }
    auto found = m_frames.find(key);
    if (found == m_frames.end()) {
        return;
    }
    found->second->release();
    m_frames.erase(found);
    // An atlas with a frame missing must load again when asked to.
    for (auto it = m_loadedFiles.begin(); it != m_loadedFiles.end();) {
        it = it->second.count(key) ? m_loadedFiles.erase(it) : std::next(it);
    }
}

void CCSpriteFrameCache::removeSpriteFramesFromFile(const char* plist) {
    if (!plist) {
        return;
    }
    auto found = m_loadedFiles.find(CCFileUtils::sharedFileUtils()->fullPathForFilename(plist));
    if (found == m_loadedFiles.end()) {
        return;
    }
    const std::set<std::string> names = found->second;
    m_loadedFiles.erase(found);
    for (const std::string& name : names) {
        removeSpriteFrameByName(name.c_str());
    }
}

void CCSpriteFrameCache::removeSpriteFramesFromTexture(CCTexture2D* texture) {
    if (!texture) {
        return;
    }
    std::vector<std::string> names;
    for (const auto& entry : m_frames) {
        CCSpriteFrame* frame = entry.second;
        const std::string& file = frame->getTextureFilename();
        if ((!file.empty() && file == texture->getSourcePath()) || (file.empty() && frame->getTexture() == texture)) {
            names.push_back(entry.first);
        }
    }
    for (const std::string& name : names) {
        removeSpriteFrameByName(name.c_str());
    }
}

bool CCSpriteFrameCache::isFileLoaded(const char* plist) const {
    return plist && m_loadedFiles.count(CCFileUtils::sharedFileUtils()->fullPathForFilename(plist)) > 0;
}

}  // namespace lirava
