#include "engine/nodes/CCSpriteFrame.h"

#include "engine/platform/CCFileUtils.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"

namespace lirava {

namespace {
template <typename Init>
CCSpriteFrame* makeFrame(Init init) {
    CCSpriteFrame* frame = new CCSpriteFrame();
    if (init(frame)) {
        frame->autorelease();
        return frame;
    }
    frame->release();
    return nullptr;
}
}  // namespace

CCSpriteFrame* CCSpriteFrame::createWithTexture(CCTexture2D* texture, const CCRect& rect) {
    return makeFrame([&](CCSpriteFrame* f) { return f->initWithTexture(texture, rect); });
}

CCSpriteFrame* CCSpriteFrame::createWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated,
                                                const CCPoint& offset, const CCSize& originalSize) {
    return makeFrame(
        [&](CCSpriteFrame* f) { return f->initWithTexture(texture, rect, rotated, offset, originalSize); });
}

CCSpriteFrame* CCSpriteFrame::create(const char* textureFile, const CCRect& rect) {
    return makeFrame([&](CCSpriteFrame* f) { return f->initWithTextureFilename(textureFile, rect); });
}

CCSpriteFrame* CCSpriteFrame::create(const char* textureFile, const CCRect& rect, bool rotated, const CCPoint& offset,
                                     const CCSize& originalSize) {
    return makeFrame(
        [&](CCSpriteFrame* f) { return f->initWithTextureFilename(textureFile, rect, rotated, offset, originalSize); });
}

bool CCSpriteFrame::initWithTexture(CCTexture2D* texture, const CCRect& rect) {
    return initWithTexture(texture, rect, false, CCPointZero, rect.size);
}

bool CCSpriteFrame::initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated, const CCPoint& offset,
                                    const CCSize& originalSize) {
    setTexture(texture);
    m_textureFilename.clear();
    m_rect = rect;
    m_rotated = rotated;
    m_offset = offset;
    m_originalSize = originalSize;
    return true;
}

bool CCSpriteFrame::initWithTextureFilename(const char* textureFile, const CCRect& rect) {
    return initWithTextureFilename(textureFile, rect, false, CCPointZero, rect.size);
}

bool CCSpriteFrame::initWithTextureFilename(const char* textureFile, const CCRect& rect, bool rotated,
                                            const CCPoint& offset, const CCSize& originalSize) {
    if (!textureFile || !*textureFile) {
        return false;
    }
    setTexture(nullptr);
    m_textureFilename = CCFileUtils::sharedFileUtils()->fullPathForFilename(textureFile);
    m_rect = rect;
    m_rotated = rotated;
    m_offset = offset;
    m_originalSize = originalSize;
    return true;
}

CCSpriteFrame::~CCSpriteFrame() {
    CC_SAFE_RELEASE(m_texture);
}

CCTexture2D* CCSpriteFrame::getTexture() {
    if (m_texture) {
        return m_texture;
    }
    if (m_textureFilename.empty()) {
        return nullptr;
    }
    return CCTextureCache::sharedTextureCache()->addImage(m_textureFilename.c_str());
}

void CCSpriteFrame::setTexture(CCTexture2D* texture) {
    CC_SAFE_RETAIN(texture);
    CC_SAFE_RELEASE(m_texture);
    m_texture = texture;
}

CCObject* CCSpriteFrame::copy() {
    CCSpriteFrame* frame = new CCSpriteFrame();
    frame->setTexture(m_texture);
    frame->m_textureFilename = m_textureFilename;
    frame->m_rect = m_rect;
    frame->m_rotated = m_rotated;
    frame->m_offset = m_offset;
    frame->m_originalSize = m_originalSize;
    return frame;
}

}  // namespace lirava
