#pragma once

#include <string>

#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"

namespace lirava {

class CCTexture2D;

// A region of a texture that a sprite can show, in pixels (one pixel is one design unit):
// - rect: the region as it is drawn, width and height upright. A rotated region is stored in
//   the texture turned 90 degrees clockwise and occupies rect.height x rect.width pixels at
//   rect.origin.
// - offset: how far the centre of the trimmed region lies from the centre of the original
//   image (y up);
// - originalSize: the untrimmed image's size, which becomes the sprite's content size.
//
// A frame either holds its texture or names its image file; in the second case getTexture()
// asks the texture cache each time, so that a sheet registered in the frame cache does not keep
// its pixels alive while no sprite shows it.
class CCSpriteFrame : public CCObject {
public:
    static CCSpriteFrame* createWithTexture(CCTexture2D* texture, const CCRect& rect);
    static CCSpriteFrame* createWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated,
                                            const CCPoint& offset, const CCSize& originalSize);
    static CCSpriteFrame* create(const char* textureFile, const CCRect& rect);
    static CCSpriteFrame* create(const char* textureFile, const CCRect& rect, bool rotated, const CCPoint& offset,
                                 const CCSize& originalSize);

    bool initWithTexture(CCTexture2D* texture, const CCRect& rect);
    bool initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated, const CCPoint& offset,
                         const CCSize& originalSize);
    bool initWithTextureFilename(const char* textureFile, const CCRect& rect);
    bool initWithTextureFilename(const char* textureFile, const CCRect& rect, bool rotated, const CCPoint& offset,
                                 const CCSize& originalSize);
    ~CCSpriteFrame() override;

    const CCRect& getRect() const { return m_rect; }
    void setRect(const CCRect& rect) { m_rect = rect; }
    const CCRect& getRectInPixels() const { return m_rect; }
    bool isRotated() const { return m_rotated; }
    void setRotated(bool rotated) { m_rotated = rotated; }
    const CCPoint& getOffset() const { return m_offset; }
    void setOffset(const CCPoint& offset) { m_offset = offset; }
    const CCPoint& getOffsetInPixels() const { return m_offset; }
    const CCSize& getOriginalSize() const { return m_originalSize; }
    void setOriginalSize(const CCSize& size) { m_originalSize = size; }
    const CCSize& getOriginalSizeInPixels() const { return m_originalSize; }

    // The held texture, or the named file's texture from the cache (null when it cannot be read).
    CCTexture2D* getTexture();
    void setTexture(CCTexture2D* texture);
    // The full path of the named image file, or empty for a frame that holds its texture.
    const std::string& getTextureFilename() const { return m_textureFilename; }

    CCObject* copy() override;

private:
    CCTexture2D* m_texture = nullptr;
    std::string m_textureFilename;
    CCRect m_rect;
    bool m_rotated = false;
    CCPoint m_offset;
    CCSize m_originalSize;
};

}  // namespace lirava
