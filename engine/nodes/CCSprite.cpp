#include "engine/nodes/CCSprite.h"

#include "engine/nodes/CCSpriteFrame.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"

namespace lirava {

namespace {
template <typename Init>
CCSprite* makeSprite(Init init) {
    CCSprite* sprite = new CCSprite();
    if (init(sprite)) {
        sprite->autorelease();
        return sprite;
    }
    sprite->release();
    return nullptr;
}

CCRect fullRect(CCTexture2D* texture) {
    if (!texture) {
        return CCRectZero;
    }
    const CCSize size = texture->getContentSize();
    return CCRect(0.0f, 0.0f, size.width, size.height);
}
}  // namespace

CCSprite* CCSprite::create() {
    return makeSprite([](CCSprite* s) { return s->init(); });
}

CCSprite* CCSprite::create(const char* fileName) {
    return makeSprite([&](CCSprite* s) { return s->initWithFile(fileName); });
}

CCSprite* CCSprite::create(const char* fileName, const CCRect& rect) {
    return makeSprite([&](CCSprite* s) { return s->initWithFile(fileName, rect); });
}

CCSprite* CCSprite::createWithTexture(CCTexture2D* texture) {
    return makeSprite([&](CCSprite* s) { return s->initWithTexture(texture); });
}

CCSprite* CCSprite::createWithTexture(CCTexture2D* texture, const CCRect& rect) {
    return makeSprite([&](CCSprite* s) { return s->initWithTexture(texture, rect); });
}

CCSprite* CCSprite::createWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated) {
    return makeSprite([&](CCSprite* s) { return s->initWithTexture(texture, rect, rotated); });
}

CCSprite* CCSprite::createWithSpriteFrame(CCSpriteFrame* frame) {
    return makeSprite([&](CCSprite* s) { return s->initWithSpriteFrame(frame); });
}

CCSprite* CCSprite::createWithSpriteFrameName(const char* frameName) {
    return makeSprite([&](CCSprite* s) { return s->initWithSpriteFrameName(frameName); });
}

CCSprite::CCSprite() {
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

CCSprite::~CCSprite() {
    CC_SAFE_RELEASE(m_texture);
}

bool CCSprite::init() {
    return initWithTexture(nullptr, CCRectZero, false);
}

bool CCSprite::initWithTexture(CCTexture2D* texture) {
    return initWithTexture(texture, fullRect(texture), false);
}

bool CCSprite::initWithTexture(CCTexture2D* texture, const CCRect& rect) {
    return initWithTexture(texture, rect, false);
}

bool CCSprite::initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated) {
    m_flipX = m_flipY = false;
    m_unflippedOffsetPositionFromCenter = CCPointZero;
    setTexture(texture);
    setTextureRect(rect, rotated, rect.size);
    return true;
}

bool CCSprite::initWithSpriteFrame(CCSpriteFrame* frame) {
    if (!frame) {
        init();
        return false;
    }
    CCTexture2D* texture = frame->getTexture();
    if (!texture) {
        init();
        return false;
    }
    initWithTexture(texture, frame->getRect(), frame->isRotated());
    setDisplayFrame(frame);
    return true;
}

bool CCSprite::initWithSpriteFrameName(const char* frameName) {
    CCSpriteFrame* frame =
        frameName ? CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(frameName) : nullptr;
    return initWithSpriteFrame(frame);
}

bool CCSprite::initWithFile(const char* fileName) {
    CCTexture2D* texture = fileName ? CCTextureCache::sharedTextureCache()->addImage(fileName) : nullptr;
    if (!texture) {
        init();
        return false;
    }
    return initWithTexture(texture);
}

bool CCSprite::initWithFile(const char* fileName, const CCRect& rect) {
    CCTexture2D* texture = fileName ? CCTextureCache::sharedTextureCache()->addImage(fileName) : nullptr;
    if (!texture) {
        init();
        return false;
    }
    return initWithTexture(texture, rect);
}

void CCSprite::setTexture(CCTexture2D* texture) {
    if (texture == m_texture) {
        return;
    }
    CC_SAFE_RETAIN(texture);
    CC_SAFE_RELEASE(m_texture);
    m_texture = texture;
}

CCTexture2D* CCSprite::getTexture() {
    return m_texture;
}

void CCSprite::setTextureRect(const CCRect& rect) {
    setTextureRect(rect, false, rect.size);
}

void CCSprite::setTextureRect(const CCRect& rect, bool rotated, const CCSize& untrimmedSize) {
    m_rect = rect;
    m_rectRotated = rotated;
    setContentSize(untrimmedSize);
    updateOffsetPosition();
}

void CCSprite::updateOffsetPosition() {
    CCPoint relative = m_unflippedOffsetPositionFromCenter;
    if (m_flipX) {
        relative.x = -relative.x;
    }
    if (m_flipY) {
        relative.y = -relative.y;
    }
    m_offsetPosition.x = relative.x + (m_contentSize.width - m_rect.size.width) * 0.5f;
    m_offsetPosition.y = relative.y + (m_contentSize.height - m_rect.size.height) * 0.5f;
}

void CCSprite::setDisplayFrame(CCSpriteFrame* frame) {
    if (!frame) {
        return;
    }
    m_unflippedOffsetPositionFromCenter = frame->getOffset();
    setTexture(frame->getTexture());
    setTextureRect(frame->getRect(), frame->isRotated(), frame->getOriginalSize());
}

bool CCSprite::isFrameDisplayed(CCSpriteFrame* frame) {
    return frame && frame->getTexture() == m_texture && frame->getRect().equals(m_rect) &&
           frame->isRotated() == m_rectRotated && frame->getOffset().equals(m_unflippedOffsetPositionFromCenter);
}

CCSpriteFrame* CCSprite::displayFrame() {
    return CCSpriteFrame::createWithTexture(m_texture, m_rect, m_rectRotated, m_unflippedOffsetPositionFromCenter,
                                            m_contentSize);
}

void CCSprite::setFlipX(bool flipX) {
    if (m_flipX != flipX) {
        m_flipX = flipX;
        updateOffsetPosition();
    }
}

void CCSprite::setFlipY(bool flipY) {
    if (m_flipY != flipY) {
        m_flipY = flipY;
        updateOffsetPosition();
    }
}

bool CCSprite::computeQuad(Vertex out[4], const CCAffineTransform& nodeToWorld) {
    if (!m_texture || !(m_rect.size.width > 0.0f) || !(m_rect.size.height > 0.0f)) {
        return false;
    }
    // The rect is in the texture's units, which are its pixels unless it has more per unit.
    const CCSize textureSize = m_texture->getContentSize();
    const float textureWidth = textureSize.width;
    const float textureHeight = textureSize.height;
    if (textureWidth <= 0.0f || textureHeight <= 0.0f) {
        return false;
    }
    // The region in texture coordinates: a rotated one lies on its side, h x w pixels.
    const float regionWidth = m_rectRotated ? m_rect.size.height : m_rect.size.width;
    const float regionHeight = m_rectRotated ? m_rect.size.width : m_rect.size.height;
    const float left = m_rect.origin.x / textureWidth;
    const float top = m_rect.origin.y / textureHeight;
    const float right = (m_rect.origin.x + regionWidth) / textureWidth;
    const float bottom = (m_rect.origin.y + regionHeight) / textureHeight;

    const ccColor4B color = {m_displayedColor.r, m_displayedColor.g, m_displayedColor.b, m_displayedOpacity};
    const float x1 = m_offsetPosition.x;
    const float y1 = m_offsetPosition.y;
    const float x2 = x1 + m_rect.size.width;
    const float y2 = y1 + m_rect.size.height;
    // Corners as (s, t): fractions of the upright image from its left and its top edge.
    const float corners[4][4] = {
        {x1, y1, 0.0f, 1.0f},  // bottom-left
        {x2, y1, 1.0f, 1.0f},  // bottom-right
        {x1, y2, 0.0f, 0.0f},  // top-left
        {x2, y2, 1.0f, 0.0f},  // top-right
    };
    for (int i = 0; i < 4; ++i) {
        const float* corner = corners[i];
        float s = m_flipX ? 1.0f - corner[2] : corner[2];
        float t = m_flipY ? 1.0f - corner[3] : corner[3];
        if (m_rectRotated) {
            // Stored turned 90 degrees clockwise: the upright top edge is the region's right
            // edge (read top to bottom), the upright left edge its top edge.
            const float upright = s;
            s = 1.0f - t;
            t = upright;
        }
        const CCPoint world = CCPointApplyAffineTransform(CCPoint(corner[0], corner[1]), nodeToWorld);
        out[i] = Vertex{world.x, world.y, color, left + s * (right - left), top + t * (bottom - top)};
    }
    return true;
}

bool CCSprite::appendQuad(std::vector<Vertex>& out, const CCAffineTransform& nodeToWorld) {
    Vertex quad[4];
    if (!computeQuad(quad, nodeToWorld)) {
        return false;
    }
    out.insert(out.end(), quad, quad + 4);
    return true;
}

void CCSprite::draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) {
    Vertex quad[4];
    if (!computeQuad(quad, nodeToWorld)) {
        return;
    }
    const TextureId texture = m_texture->textureIdFor(renderer);
    if (texture == 0) {
        return;
    }
    renderer.drawQuad(texture, quad, m_blendMode);
}

}  // namespace lirava
