#pragma once

#include <cstddef>
#include <string>

#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"
#include "engine/render/Image.h"
#include "engine/render/Renderer.h"

namespace lirava {

// An image ready to be drawn. One pixel is one design unit, unless the texture was made with
// more pixels per unit (text rasterised for a larger window): its content size is in design
// units, its pixel size in pixels. The pixels stay in memory until
// the texture is first drawn; then they are handed to the renderer and freed here, so an
// uploaded texture costs one copy of its pixels. A texture made before any renderer existed
// uploads on its first draw. A JPEG file read while a renderer exists goes from its decoder
// straight into an opaque texture instead. Any other large image file gets its (empty) texture
// before it is decoded, so that the picture is never whole in memory twice on its way to the
// renderer.
//
// A texture read from a file remembers the file, so that it can be uploaded again should it be
// drawn through another renderer (tests make several); one made from memory cannot, and then
// draws nothing there.
class CCTexture2D : public CCObject {
public:
    CCTexture2D();
    ~CCTexture2D() override;

    // Takes the pixels over. False (and an empty texture) for an empty image.
    bool initWithImage(Image&& image);
    // The same for pixels drawn at pixelsPerUnit pixels per design unit (above 0).
    bool initWithImage(Image&& image, float pixelsPerUnit);
    // Decodes an image file given by its full path; false when it cannot be decoded.
    bool initWithFile(const std::string& fullPath);

    unsigned int getPixelsWide() const { return static_cast<unsigned int>(m_width); }
    unsigned int getPixelsHigh() const { return static_cast<unsigned int>(m_height); }
    CCSize getContentSize() const {
        return CCSize(static_cast<float>(m_width) / m_pixelsPerUnit, static_cast<float>(m_height) / m_pixelsPerUnit);
    }
    CCSize getContentSizeInPixels() const { return CCSize(static_cast<float>(m_width), static_cast<float>(m_height)); }
    // Always false: pixels are straight alpha.
    bool hasPremultipliedAlpha() const { return false; }
    // Bytes of pixel memory the texture stands for, wherever the pixels now live.
    std::size_t getMemoryBytes() const { return static_cast<std::size_t>(m_width) * m_height * 4; }
    // The file the texture was read from (full path), or empty.
    const std::string& getSourcePath() const { return m_sourcePath; }

    // The handle of this texture for drawing through renderer (held by its textureHolder()),
    // uploading it first if needed; 0 when it cannot be drawn there (no pixels and no file to
    // read them from again).
    TextureId textureIdFor(Renderer& renderer);
    // The same for Renderer::current(); 0 when there is none.
    TextureId getName();
    // The pixels while they are still held here (before the first upload), else null.
    const Image* getImage() const { return m_pixels.isEmpty() ? nullptr : &m_pixels; }
    bool isUploaded() const { return m_textureId != 0 && !m_reserved; }

    // A renderer about to go away calls this: every texture uploaded to it forgets its handle
    // (and destroys it there while the renderer still can).
    static void rendererWillBeDestroyed(Renderer* renderer);
    // Number of live textures (tests use it for leak checks).
    static std::size_t liveTextureCount();

private:
    // Images of at least this many bytes get their texture before they are decoded.
    static constexpr std::size_t kReserveBytes = 2u * 1024u * 1024u;

    void releaseFromRenderer();
    // The two ways a file becomes a texture; false when it does not decode.
    bool decodeJpeg(const std::string& encoded);
    bool decodeImage(const std::string& encoded);
    void reserveFor(const std::string& encoded);

    int m_width = 0;
    int m_height = 0;
    float m_pixelsPerUnit = 1.0f;
    Image m_pixels;
    std::string m_sourcePath;
    TextureId m_textureId = 0;
    Renderer* m_renderer = nullptr;
    bool m_reserved = false;  // m_textureId waits for the pixels still held here
};

}  // namespace lirava
