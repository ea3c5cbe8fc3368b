#include "gui/widgets/CCScale9Sprite.h"

#include <algorithm>

#include "engine/base/CCAffineTransform.h"
#include "engine/nodes/CCSprite.h"
#include "engine/nodes/CCSpriteBatchNode.h"
#include "engine/nodes/CCSpriteFrame.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/render/CCTexture2D.h"

namespace lirava {

namespace {

constexpr unsigned int kPieceCapacity = 9;
constexpr float kQuarterTurn = 1.5707964f;

template <typename Init>
CCScale9Sprite* makeScale9(Init init) {
    CCScale9Sprite* sprite = new CCScale9Sprite();
    if (init(sprite)) {
        sprite->autorelease();
        return sprite;
    }
    sprite->release();
    return nullptr;
}

// Scale that stretches a piece of `extent` over `space`; a piece with no extent cannot be
// stretched and stays collapsed rather than turning the transform into infinities.
float stretch(float space, float extent) {
    return extent > 0.0f ? space / extent : 0.0f;
}

}  // namespace

CCScale9Sprite* CCScale9Sprite::create() {
    return makeScale9([](CCScale9Sprite* s) { return s->init(); });
}

CCScale9Sprite* CCScale9Sprite::create(const char* file) {
    return makeScale9([&](CCScale9Sprite* s) { return s->initWithFile(file); });
}

CCScale9Sprite* CCScale9Sprite::create(const char* file, const CCRect& rect) {
    return makeScale9([&](CCScale9Sprite* s) { return s->initWithFile(file, rect); });
}

CCScale9Sprite* CCScale9Sprite::create(const char* file, const CCRect& rect, const CCRect& capInsets) {
    return makeScale9([&](CCScale9Sprite* s) { return s->initWithFile(file, rect, capInsets); });
}

CCScale9Sprite* CCScale9Sprite::create(const CCRect& capInsets, const char* file) {
    return makeScale9([&](CCScale9Sprite* s) { return s->initWithFile(capInsets, file); });
}

CCScale9Sprite* CCScale9Sprite::createWithSpriteFrame(CCSpriteFrame* frame) {
    return makeScale9([&](CCScale9Sprite* s) { return s->initWithSpriteFrame(frame); });
}

CCScale9Sprite* CCScale9Sprite::createWithSpriteFrame(CCSpriteFrame* frame, const CCRect& capInsets) {
    return makeScale9([&](CCScale9Sprite* s) { return s->initWithSpriteFrame(frame, capInsets); });
}

CCScale9Sprite* CCScale9Sprite::createWithSpriteFrameName(const char* name) {
    return makeScale9([&](CCScale9Sprite* s) { return s->initWithSpriteFrameName(name); });
}

CCScale9Sprite* CCScale9Sprite::createWithSpriteFrameName(const char* name, const CCRect& capInsets) {
    return makeScale9([&](CCScale9Sprite* s) { return s->initWithSpriteFrameName(name, capInsets); });
}

CCScale9Sprite::CCScale9Sprite() = default;

CCScale9Sprite::~CCScale9Sprite() {
    releasePieces();
    CC_SAFE_RELEASE_NULL(m_pieceBatch);
}

bool CCScale9Sprite::init() {
    return initWithBatchNode(nullptr, CCRectZero, CCRectZero);
}

bool CCScale9Sprite::initWithBatchNode(CCSpriteBatchNode* batch, const CCRect& rect, const CCRect& capInsets) {
    return initWithBatchNode(batch, rect, false, capInsets);
}

bool CCScale9Sprite::initWithBatchNode(CCSpriteBatchNode* batch, const CCRect& rect, bool rotated,
                                       const CCRect& capInsets) {
    if (batch) {
        rebuildSlices(batch, rect, rotated, capInsets);
    } else if (m_pieceBatch) {
        // Loading an image that is not there leaves the sprite empty, not showing the image it
        // had before.
        removeAllChildrenWithCleanup(true);
        releasePieces();
        CC_SAFE_RELEASE_NULL(m_pieceBatch);
        m_sourceRect = CCRectZero;
        m_sourceRotated = false;
        m_sourceSize = CCSizeZero;
        m_preferredSize = CCSizeZero;
        setContentSize(CCSizeZero);
    }
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_layoutDirty = true;
    return true;
}

bool CCScale9Sprite::initWithFile(const char* file) {
    return initWithFile(file, CCRectZero, CCRectZero);
}

bool CCScale9Sprite::initWithFile(const CCRect& capInsets, const char* file) {
    return initWithFile(file, CCRectZero, capInsets);
}

bool CCScale9Sprite::initWithFile(const char* file, const CCRect& rect) {
    return initWithFile(file, rect, CCRectZero);
}

bool CCScale9Sprite::initWithFile(const char* file, const CCRect& rect, const CCRect& capInsets) {
    CCSpriteBatchNode* batch = (file && *file) ? CCSpriteBatchNode::create(file, kPieceCapacity) : nullptr;
    return initWithBatchNode(batch, rect, capInsets);
}

bool CCScale9Sprite::initWithSpriteFrame(CCSpriteFrame* frame) {
    return initWithSpriteFrame(frame, CCRectZero);
}

bool CCScale9Sprite::initWithSpriteFrame(CCSpriteFrame* frame, const CCRect& capInsets) {
    CCTexture2D* texture = frame ? frame->getTexture() : nullptr;
    if (!texture) {
        initWithBatchNode(nullptr, CCRectZero, CCRectZero);
        return false;
    }
    CCSpriteBatchNode* batch = CCSpriteBatchNode::createWithTexture(texture, kPieceCapacity);
    return initWithBatchNode(batch, frame->getRect(), frame->isRotated(), capInsets);
}

bool CCScale9Sprite::initWithSpriteFrameName(const char* name) {
    return initWithSpriteFrameName(name, CCRectZero);
}

bool CCScale9Sprite::initWithSpriteFrameName(const char* name, const CCRect& capInsets) {
    CCSpriteFrame* frame = name ? CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(name) : nullptr;
    if (!frame) {
        initWithBatchNode(nullptr, CCRectZero, CCRectZero);
        return false;
    }
    return initWithSpriteFrame(frame, capInsets);
}

void CCScale9Sprite::setSpriteFrame(CCSpriteFrame* frame) {
    CCTexture2D* texture = frame ? frame->getTexture() : nullptr;
    if (!texture) {
        return;
    }
    rebuildSlices(CCSpriteBatchNode::createWithTexture(texture, kPieceCapacity), frame->getRect(), frame->isRotated(),
                  CCRectZero);
    m_insetLeft = m_insetTop = m_insetRight = m_insetBottom = 0.0f;
}

void CCScale9Sprite::releasePieces() {
    CC_SAFE_RELEASE_NULL(m_topLeft);
    CC_SAFE_RELEASE_NULL(m_top);
    CC_SAFE_RELEASE_NULL(m_topRight);
    CC_SAFE_RELEASE_NULL(m_left);
    CC_SAFE_RELEASE_NULL(m_centre);
    CC_SAFE_RELEASE_NULL(m_right);
    CC_SAFE_RELEASE_NULL(m_bottomLeft);
    CC_SAFE_RELEASE_NULL(m_bottom);
    CC_SAFE_RELEASE_NULL(m_bottomRight);
}

bool CCScale9Sprite::rebuildSlices(CCSpriteBatchNode* batch, const CCRect& rect, bool rotated,
                                   const CCRect& capInsets) {
    if (!batch) {
        return false;
    }
    const ccColor3B color = m_realColor;
    const std::uint8_t opacity = m_realOpacity;
    // This reference becomes the member's; taking it first keeps a batch that is already in use
    // alive while the old pieces go.
    batch->retain();
    removeAllChildrenWithCleanup(true);
    releasePieces();
    CC_SAFE_RELEASE(m_pieceBatch);
    m_pieceBatch = batch;
    m_pieceBatch->removeAllChildrenWithCleanup(true);

    m_capInsets = capInsets;
    CCTexture2D* texture = m_pieceBatch->getTexture();
    CCRect region = rect;
    if (region.equals(CCRectZero) && texture) {
        const CCSize textureSize = texture->getContentSize();
        region = CCRect(0.0f, 0.0f, textureSize.width, textureSize.height);
    }
    m_sourceRect = region;
    m_sourceRotated = rotated;
    m_sourceSize = region.size;
    m_preferredSize = m_sourceSize;

    const float w = std::max(region.size.width, 0.0f);
    const float h = std::max(region.size.height, 0.0f);
    m_insetsInUse = capInsets;
    if (m_insetsInUse.equals(CCRectZero)) {
        m_insetsInUse = CCRect(w / 3.0f, h / 3.0f, w / 3.0f, h / 3.0f);
    }
    // Insets reaching outside the region would give pieces of negative size; keep every piece
    // inside it.
    const float left = std::clamp(m_insetsInUse.origin.x, 0.0f, w);
    const float top = std::clamp(m_insetsInUse.origin.y, 0.0f, h);
    const float centreWidth = std::clamp(m_insetsInUse.size.width, 0.0f, w - left);
    const float centreHeight = std::clamp(m_insetsInUse.size.height, 0.0f, h - top);
    const float right = w - (left + centreWidth);
    const float bottom = h - (top + centreHeight);

    // Piece rectangles in the region's upright space, y growing downwards from its top.
    struct Piece {
        CCSprite** sprite;
        CCRect rect;
        int zOrder;
        int tag;
    };
    Piece pieces[] = {
        {&m_centre, CCRect(left, top, centreWidth, centreHeight), 0, kCentre},
        {&m_top, CCRect(left, 0.0f, centreWidth, top), 1, kTop},
        {&m_bottom, CCRect(left, top + centreHeight, centreWidth, bottom), 1, kBottom},
        {&m_left, CCRect(0.0f, top, left, centreHeight), 1, kLeft},
        {&m_right, CCRect(left + centreWidth, top, right, centreHeight), 1, kRight},
        {&m_topLeft, CCRect(0.0f, 0.0f, left, top), 2, kTopLeft},
        {&m_topRight, CCRect(left + centreWidth, 0.0f, right, top), 2, kTopRight},
        {&m_bottomLeft, CCRect(0.0f, top + centreHeight, left, bottom), 2, kBottomLeft},
        {&m_bottomRight, CCRect(left + centreWidth, top + centreHeight, right, bottom), 2, kBottomRight},
    };

    // A rotated region lies in the texture turned a quarter clockwise: a piece keeps its upright
    // size and takes the corner of where it landed.
    CCAffineTransform toTexture = CCAffineTransformIdentity;
    if (rotated) {
        toTexture = CCAffineTransformTranslate(toTexture, region.origin.x + region.size.height, region.origin.y);
        toTexture = CCAffineTransformRotate(toTexture, kQuarterTurn);
    }
    for (Piece& piece : pieces) {
        CCRect textureRect = piece.rect;
        if (rotated) {
            textureRect.origin = CCRectApplyAffineTransform(piece.rect, toTexture).origin;
        } else {
            textureRect.origin = textureRect.origin + region.origin;
        }
        CCSprite* sprite = CCSprite::createWithTexture(texture, textureRect, rotated);
        sprite->retain();
        *piece.sprite = sprite;
        m_pieceBatch->addChild(sprite, piece.zOrder, piece.tag);
    }

    setContentSize(region.size);
    addChild(m_pieceBatch);

    if (m_piecesBuilt) {
        setOpacity(opacity);
        setColor(color);
    }
    m_piecesBuilt = true;
    return true;
}

CCSprite* CCScale9Sprite::getPiece(PieceTag tag) const {
    switch (tag) {
        case kCentre:
            return m_centre;
        case kTop:
            return m_top;
        case kLeft:
            return m_left;
        case kRight:
            return m_right;
        case kBottom:
            return m_bottom;
        case kTopRight:
            return m_topRight;
        case kTopLeft:
            return m_topLeft;
        case kBottomRight:
            return m_bottomRight;
        case kBottomLeft:
            return m_bottomLeft;
    }
    return nullptr;
}

void CCScale9Sprite::setPreferredSize(const CCSize& size) {
    setContentSize(size);
    m_preferredSize = size;
}

void CCScale9Sprite::setCapInsets(const CCRect& capInsets) {
    if (!m_pieceBatch) {
        return;
    }
    const CCSize contentSize = m_contentSize;
    const CCSize preferredSize = m_preferredSize;
    rebuildSlices(m_pieceBatch, m_sourceRect, m_sourceRotated, capInsets);
    setContentSize(contentSize);
    m_preferredSize = preferredSize;
}

void CCScale9Sprite::setInsetLeft(float inset) {
    m_insetLeft = inset;
    updateCapInsetsFromMargins();
}

void CCScale9Sprite::setInsetTop(float inset) {
    m_insetTop = inset;
    updateCapInsetsFromMargins();
}

void CCScale9Sprite::setInsetRight(float inset) {
    m_insetRight = inset;
    updateCapInsetsFromMargins();
}

void CCScale9Sprite::setInsetBottom(float inset) {
    m_insetBottom = inset;
    updateCapInsetsFromMargins();
}

void CCScale9Sprite::updateCapInsetsFromMargins() {
    CCRect insets;
    const float w = m_sourceRect.size.width;
    const float h = m_sourceRect.size.height;
    if (m_insetLeft == 0.0f && m_insetTop == 0.0f && m_insetRight == 0.0f && m_insetBottom == 0.0f) {
        insets = CCRectZero;
    } else if (m_sourceRotated) {
        insets = CCRect(m_insetBottom, m_insetLeft, w - m_insetRight - m_insetLeft, h - m_insetTop - m_insetBottom);
    } else {
        insets = CCRect(m_insetLeft, m_insetTop, w - m_insetLeft - m_insetRight, h - m_insetTop - m_insetBottom);
    }
    setCapInsets(insets);
}

void CCScale9Sprite::setContentSize(const CCSize& size) {
    CCNodeRGBA::setContentSize(size);
    m_layoutDirty = true;
}

void CCScale9Sprite::layoutPiecesIfNeeded() {
    if (m_layoutDirty) {
        layoutPieces();
        m_layoutDirty = false;
    }
}

void CCScale9Sprite::visit(Renderer& renderer, const CCAffineTransform& parentToWorld) {
    layoutPiecesIfNeeded();
    CCNodeRGBA::visit(renderer, parentToWorld);
}

void CCScale9Sprite::layoutPieces() {
    if (!m_topLeft || !m_topRight || !m_bottomRight || !m_bottomLeft || !m_centre) {
        return;
    }
    const CCSize& centre = m_centre->getContentSize();
    // Smaller than its corners, the sprite shows the corners side by side; the edges and the
    // centre collapse instead of turning inside out.
    const float sizableWidth =
        std::max(m_contentSize.width - m_topLeft->getContentSize().width - m_topRight->getContentSize().width, 0.0f);
    const float sizableHeight = std::max(
        m_contentSize.height - m_topLeft->getContentSize().height - m_bottomRight->getContentSize().height, 0.0f);
    const float horizontalScale = stretch(sizableWidth, centre.width);
    const float verticalScale = stretch(sizableHeight, centre.height);
    const float rescaledWidth = centre.width * horizontalScale;
    const float rescaledHeight = centre.height * verticalScale;
    const float leftWidth = m_bottomLeft->getContentSize().width;
    const float bottomHeight = m_bottomLeft->getContentSize().height;

    CCSprite* all[] = {m_topLeft, m_top, m_topRight, m_left, m_centre, m_right, m_bottomLeft, m_bottom, m_bottomRight};
    for (CCSprite* piece : all) {
        piece->setAnchorPoint(CCPointZero);
        piece->setScale(1.0f);
    }
    m_centre->setScaleX(horizontalScale);
    m_centre->setScaleY(verticalScale);
    m_bottomLeft->setPosition(CCPoint(0.0f, 0.0f));
    m_bottomRight->setPosition(CCPoint(leftWidth + rescaledWidth, 0.0f));
    m_topLeft->setPosition(CCPoint(0.0f, bottomHeight + rescaledHeight));
    m_topRight->setPosition(CCPoint(leftWidth + rescaledWidth, bottomHeight + rescaledHeight));
    m_left->setPosition(CCPoint(0.0f, bottomHeight));
    m_left->setScaleY(verticalScale);
    m_right->setPosition(CCPoint(leftWidth + rescaledWidth, bottomHeight));
    m_right->setScaleY(verticalScale);
    m_bottom->setPosition(CCPoint(leftWidth, 0.0f));
    m_bottom->setScaleX(horizontalScale);
    m_top->setPosition(CCPoint(leftWidth, bottomHeight + rescaledHeight));
    m_top->setScaleX(horizontalScale);
    m_centre->setPosition(CCPoint(leftWidth, bottomHeight));
}

// --- colour

void CCScale9Sprite::setColor(const ccColor3B& color) {
    if (!m_pieceBatch) {
        return;
    }
    m_realColor = color;
    CCNodeRGBA::updateDisplayedColor(parentCascadedColor());
    for (CCObject* child : *m_pieceBatch->getChildren()) {
        if (CCRGBAProtocol* piece = dynamic_cast<CCRGBAProtocol*>(child)) {
            piece->setColor(color);
        }
    }
}

void CCScale9Sprite::setOpacity(std::uint8_t opacity) {
    if (!m_pieceBatch) {
        return;
    }
    m_realOpacity = opacity;
    CCNodeRGBA::updateDisplayedOpacity(parentCascadedOpacity());
    for (CCObject* child : *m_pieceBatch->getChildren()) {
        if (CCRGBAProtocol* piece = dynamic_cast<CCRGBAProtocol*>(child)) {
            piece->setOpacity(opacity);
        }
    }
}

void CCScale9Sprite::setOpacityModifyRGB(bool value) {
    if (!m_pieceBatch) {
        return;
    }
    m_opacityModifyRGB = value;
    for (CCObject* child : *m_pieceBatch->getChildren()) {
        if (CCRGBAProtocol* piece = dynamic_cast<CCRGBAProtocol*>(child)) {
            piece->setOpacityModifyRGB(value);
        }
    }
}

void CCScale9Sprite::updateDisplayedColor(const ccColor3B& parentColor) {
    CCNodeRGBA::updateDisplayedColor(parentColor);
    setColor(parentColor);
}

void CCScale9Sprite::updateDisplayedOpacity(std::uint8_t parentOpacity) {
    CCNodeRGBA::updateDisplayedOpacity(parentOpacity);
    setOpacity(parentOpacity);
}

}  // namespace lirava
