#pragma once

#include <cstdint>
#include <vector>

#include "engine/base/CCGeometry.h"
#include "engine/base/ccTypes.h"

namespace lirava {

// One corner of a textured triangle. Positions are in design units (y up); the renderer maps
// them onto the pixels of its current target. Texture coordinates are normalised (0..1, v
// growing downwards in the image). The colour multiplies the texel (straight alpha).
struct Vertex {
    float x, y;
    ccColor4B color;
    float u, v;
};

// Handle of a texture owned by the renderer; 0 means "no texture" (plain coloured triangles).
using TextureId = std::uint32_t;

// The drawing surface behind the scene graph. Nodes draw only through this interface; the SDL
// implementation lives beside it, so the scene graph never touches SDL.
class Renderer {
public:
    virtual ~Renderer() = default;

    // The renderer the director draws with, or null before the view exists (textures then stay
    // in memory and are uploaded when first drawn).
    static Renderer* current();
    static void setCurrent(Renderer* renderer);

    // The design area stretched over the whole output (exact fit), unless the frame is
    // letterboxed.
    virtual void setDesignSize(const CCSize& designSize) = 0;
    virtual CCSize getDesignSize() const = 0;
    // A letterboxed frame shows the design area at the largest scale that keeps its proportions,
    // centred, with plain bars on the free sides that nothing draws over. Render targets always
    // take the design area over their whole size.
    virtual void setLetterboxed(bool /*letterboxed*/) {}
    // Pixel size of the current target: the frame's page area (the whole output unless
    // letterboxed), or a render-target texture.
    virtual int targetWidth() const = 0;
    virtual int targetHeight() const = 0;

    // Textures from straight-alpha RGBA pixels, rows top to bottom, width * 4 bytes per row.
    virtual TextureId createTexture(int width, int height, const std::uint8_t* rgba) = 0;
    // An opaque texture from RGB rows (three bytes a pixel, pitch bytes from row to row), as a JPEG
    // decodes: no RGBA copy of the picture is ever made. 0 where the renderer takes only RGBA.
    virtual TextureId createOpaqueTexture(int /*width*/, int /*height*/, const std::uint8_t* /*rgb*/, int /*pitch*/) {
        return 0;
    }
    // A texture made before its pixels exist, for a large image about to be decoded: made later,
    // beside the decoded pixels, it would hold the picture a second time. Opaque: the pixels
    // will all have alpha 255 (a photograph). 0 where the renderer gains nothing from it; then
    // createTexture is the way.
    virtual TextureId reserveTexture(int /*width*/, int /*height*/, bool /*opaque*/) { return 0; }
    // Copies the pixels into a reserved texture of their size, spoiling them as it goes (the
    // caller frees them right after). False, and the pixels untouched, when it cannot.
    virtual bool fillReservedTexture(TextureId /*texture*/, std::uint8_t* /*rgba*/) { return false; }
    virtual void destroyTexture(TextureId texture) = 0;
    // A texture that can be drawn into and then drawn from (scene transitions).
    virtual TextureId createRenderTarget(int pixelWidth, int pixelHeight) = 0;
    // 0 selects the frame again. The design area maps onto the whole target either way.
    virtual void setRenderTarget(TextureId target) = 0;
    // True when the texture's pixels can no longer change: it was made from pixels by
    // createTexture (a render target changes whenever something draws into it). A renderer that
    // cannot tell answers false.
    virtual bool isTextureFixed(TextureId /*texture*/) const { return false; }
    // The renderer whose handles this one draws with: itself, unless it stands in front of
    // another (textures are uploaded once, to the renderer behind).
    virtual Renderer& textureHolder() { return *this; }

    virtual void clear(const ccColor4B& color) = 0;
    virtual void drawTriangles(TextureId texture, const Vertex* vertices, int vertexCount, const int* indices,
                               int indexCount, BlendMode blend) = 0;
    // Axis-aligned clip in design units; nested clips intersect. Every push needs its pop.
    virtual void pushClip(const CCRect& designRect) = 0;
    virtual void popClip() = 0;

    // The current target's pixels as RGBA rows, top to bottom; the frame's bars included.
    virtual bool readPixels(std::vector<std::uint8_t>& rgba, int& width, int& height) = 0;
    // Shows the finished frame (window mode); headless renderers keep it for read-back.
    virtual void present() = 0;
    // A frame drawn in part. A renderer that keeps the frame's pixels from one frame to the next
    // can take the word that the next frame differs from the one on show only inside the design
    // rectangle: until present(), clearing and drawing on the frame reach only that rectangle
    // (widened to whole pixels), and present() shows only it. Where the pixels are not kept, it
    // answers false and nothing changes: the caller draws the whole frame.
    virtual bool limitFrameTo(const CCRect& /*designRect*/) { return false; }

    // Convenience for the common case: one textured quad from four corners given
    // bottom-left, bottom-right, top-left, top-right.
    void drawQuad(TextureId texture, const Vertex corners[4], BlendMode blend = BlendMode::Alpha);
};

}  // namespace lirava
