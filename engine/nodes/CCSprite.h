#pragma once

#include <vector>

#include "engine/base/CCGeometry.h"
#include "engine/base/ccTypes.h"
#include "engine/nodes/CCNodeRGBA.h"
#include "engine/render/Renderer.h"

namespace lirava {

class CCSpriteFrame;
class CCTexture2D;

// A node that shows one rectangle of a texture, tinted by its displayed colour and opacity.
//
// The texture rect is in texture pixels with the upright width and height; when it is rotated
// the region is stored turned 90 degrees clockwise (h x w pixels at the rect's origin) and is
// drawn upright. The content size is the untrimmed size; a trimmed region is drawn at its
// offset inside it. Flips mirror the image and the trim offset about the content's centre.
//
// An empty sprite (no texture, or an empty rect) draws nothing. A missing image makes create()
// return null; the init functions return false and leave a valid, empty sprite.
class CCSprite : public CCNodeRGBA {
public:
    static CCSprite* create();
    static CCSprite* create(const char* fileName);
    static CCSprite* create(const char* fileName, const CCRect& rect);
    static CCSprite* createWithTexture(CCTexture2D* texture);
    static CCSprite* createWithTexture(CCTexture2D* texture, const CCRect& rect);
    static CCSprite* createWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated);
    static CCSprite* createWithSpriteFrame(CCSpriteFrame* frame);
    static CCSprite* createWithSpriteFrameName(const char* frameName);

    CCSprite();
    ~CCSprite() override;

    bool init() override;
    // A null texture gives an empty sprite (and true).
    virtual bool initWithTexture(CCTexture2D* texture);
    virtual bool initWithTexture(CCTexture2D* texture, const CCRect& rect);
    virtual bool initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated);
    virtual bool initWithSpriteFrame(CCSpriteFrame* frame);
    virtual bool initWithSpriteFrameName(const char* frameName);
    virtual bool initWithFile(const char* fileName);
    virtual bool initWithFile(const char* fileName, const CCRect& rect);

    virtual void setTexture(CCTexture2D* texture);
    virtual CCTexture2D* getTexture();

    // Shows rect of the texture upright and untrimmed: content size = rect size.
    virtual void setTextureRect(const CCRect& rect);
    virtual void setTextureRect(const CCRect& rect, bool rotated, const CCSize& untrimmedSize);
    const CCRect& getTextureRect() const { return m_rect; }
    bool isTextureRectRotated() const { return m_rectRotated; }
    // Lower-left corner of the drawn quad inside the content rectangle (trim offset, flips).
    const CCPoint& getOffsetPosition() const { return m_offsetPosition; }

    // Texture, rect, rotation, trim offset and original size of the frame.
    virtual void setDisplayFrame(CCSpriteFrame* frame);
    virtual bool isFrameDisplayed(CCSpriteFrame* frame);
    // A new (autoreleased) frame describing what the sprite shows now.
    virtual CCSpriteFrame* displayFrame();

    virtual void setFlipX(bool flipX);
    bool isFlipX() const { return m_flipX; }
    virtual void setFlipY(bool flipY);
    bool isFlipY() const { return m_flipY; }

    // Pixels are straight alpha, so the flag is only stored.
    void setOpacityModifyRGB(bool value) override { m_opacityModifyRGB = value; }
    bool isOpacityModifyRGB() override { return m_opacityModifyRGB; }

    void setBlendMode(BlendMode mode) { m_blendMode = mode; }
    BlendMode getBlendMode() const { return m_blendMode; }

    void draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) override;

    // Appends the sprite's quad (four corners: bottom-left, bottom-right, top-left, top-right) in
    // world space; false (nothing appended) for an empty sprite. Batch nodes draw with it.
    bool appendQuad(std::vector<Vertex>& out, const CCAffineTransform& nodeToWorld);
    bool computeQuad(Vertex out[4], const CCAffineTransform& nodeToWorld);

protected:
    // Recomputes the quad's position inside the content rectangle.
    void updateOffsetPosition();

    CCTexture2D* m_texture = nullptr;
    CCRect m_rect;
    bool m_rectRotated = false;
    CCPoint m_unflippedOffsetPositionFromCenter;
    CCPoint m_offsetPosition;
    bool m_flipX = false;
    bool m_flipY = false;
    bool m_opacityModifyRGB = false;
    BlendMode m_blendMode = BlendMode::Alpha;
};

}  // namespace lirava
