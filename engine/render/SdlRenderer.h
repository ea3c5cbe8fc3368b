#pragma once

#include <unordered_map>
#include <vector>

#include "engine/render/PageViewport.h"
#include "engine/render/Renderer.h"

struct SDL_Renderer;
struct SDL_Texture;

namespace lirava {

// The Renderer over an SDL_Renderer. Triangles go through SDL_RenderGeometry; the design area is
// stretched over the current target (the frame or a render-target texture) by exact fit, or over
// the frame's letterboxed page area (an SDL viewport, so nothing spills onto the bars); clips
// are SDL clip rectangles, kept per target. Texture ids are unique in the process, so an id from
// another renderer is never taken for one of this renderer's textures (it draws nothing).
class SdlRenderer : public Renderer {
public:
    // Takes ownership of the SDL renderer.
    explicit SdlRenderer(SDL_Renderer* renderer);
    ~SdlRenderer() override;
    SdlRenderer(const SdlRenderer&) = delete;
    SdlRenderer& operator=(const SdlRenderer&) = delete;

    SDL_Renderer* sdlRenderer() const { return m_renderer; }
    // Number of live textures and render targets (leak checks); spare targets are not counted.
    std::size_t textureCount() const { return m_textures.size(); }
    // Render targets kept for the next transition (at most kSpareTargets).
    std::size_t spareTargetCount() const { return m_spareTargets.size(); }
    static constexpr std::size_t kSpareTargets = 2;

    void setDesignSize(const CCSize& designSize) override;
    CCSize getDesignSize() const override { return m_designSize; }
    void setLetterboxed(bool letterboxed) override { m_letterboxed = letterboxed; }
    // Where the page lies in the output's pixels now (the output's size can change any time).
    PageViewport frameViewport() const;
    // The colour of the bars beside a letterboxed page.
    static constexpr ccColor4B kBarColor = {48, 48, 48, 255};
    int targetWidth() const override;
    int targetHeight() const override;

    TextureId createTexture(int width, int height, const std::uint8_t* rgba) override;
    TextureId createOpaqueTexture(int width, int height, const std::uint8_t* rgb, int pitch) override;
    TextureId reserveTexture(int width, int height, bool opaque) override;
    bool fillReservedTexture(TextureId texture, std::uint8_t* rgba) override;
    void destroyTexture(TextureId texture) override;
    TextureId createRenderTarget(int pixelWidth, int pixelHeight) override;
    void setRenderTarget(TextureId target) override;
    bool isTextureFixed(TextureId texture) const override;

    void clear(const ccColor4B& color) override;
    void drawTriangles(TextureId texture, const Vertex* vertices, int vertexCount, const int* indices, int indexCount,
                       BlendMode blend) override;
    void pushClip(const CCRect& designRect) override;
    void popClip() override;

    bool readPixels(std::vector<std::uint8_t>& rgba, int& width, int& height) override;
    void present() override;
    // SDL's software renderer on the window's own surface keeps the frame: the limit becomes a
    // clip on top of the nodes' clips, and only its pixels reach the screen.
    bool limitFrameTo(const CCRect& designRect) override;
    // Frames presented in part so far.
    std::size_t partialFrames() const { return m_partialFrames; }

private:
    // Image: straight-alpha pixels; Opaque: pixels without alpha, in the frame's format; Reserved
    // and ReservedOpaque: the same before their pixels have come; Target: a render target.
    enum class Kind { Image, Opaque, Reserved, ReservedOpaque, Target };
    struct Texture {
        SDL_Texture* texture;
        int width;
        int height;
        Kind kind;
    };
    struct Clip {
        int x, y, w, h;
    };

    TextureId adopt(SDL_Texture* texture, int width, int height, Kind kind);
    // A streaming texture of the given format, filled from the source pixels converted; 0 on failure.
    TextureId createFilled(int width, int height, std::uint32_t sourceFormat, const std::uint8_t* source,
                           int sourcePitch, std::uint32_t format, Kind kind);
    void applyClip();
    // The frame's page area as SDL's viewport; SDL resets it when the window changes size.
    void applyFrameViewport();
    bool setBlend(SDL_Texture* texture, BlendMode blend);

    SDL_Renderer* m_renderer;
    CCSize m_designSize = CCSize(640.0f, 960.0f);
    bool m_letterboxed = false;
    bool m_viewportSet = false;
    std::unordered_map<TextureId, Texture> m_textures;
    // Render targets destroyed by a transition that ended, for the next one to take: a new target
    // is fresh memory, which the system hands out page by page at the first touch, in the middle
    // of the transition's first frames.
    std::vector<Texture> m_spareTargets;
    TextureId m_target = 0;
    // Clip stacks per target (0 is the frame); the innermost is the intersection of all.
    std::unordered_map<TextureId, std::vector<Clip>> m_clips;
    std::vector<float> m_scratch;  // SDL vertex data, reused between calls
    bool m_premultipliedSupported = true;
    std::uint32_t m_targetFormat;  // pixel format of render targets
    bool m_software = false;       // SDL's software renderer: textures are plain memory
    // A frame drawn in part: its rectangle in the page area's pixels (empty: nothing to draw).
    bool m_limited = false;
    Clip m_limit{0, 0, 0, 0};
    bool m_limitClipEmpty = false;  // the limit and the nodes' clip leave nothing
    std::size_t m_partialFrames = 0;
};

}  // namespace lirava
