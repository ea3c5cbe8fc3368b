#include "engine/render/SdlRenderer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/platform/Platform.h"
#include "engine/render/ExactFit.h"

namespace lirava {

namespace {

// Whether any triangle maps the texture turned a quarter round against the screen: the texture's
// u then follows the screen's y (or v its x) more than its own axis. Axis-aligned quads drawn that
// way are exactly what the software renderer's rectangle copy gets wrong.
bool isOpaque(const std::uint8_t* rgba, std::size_t pixels) {
    for (std::size_t i = 0; i < pixels; ++i) {
        if (rgba[4 * i + 3] != 255) {
            return false;
        }
    }
    return true;
}

bool allVerticesOpaque(const Vertex* vertices, int vertexCount) {
    for (int i = 0; i < vertexCount; ++i) {
        if (vertices[i].color.a != 255) {
            return false;
        }
    }
    return true;
}

bool hasQuarterTurnedTexture(const Vertex* vertices, const int* indices, int indexCount) {
    for (int i = 0; i + 2 < indexCount; i += 3) {
        const Vertex& a = vertices[indices[i]];
        const Vertex& b = vertices[indices[i + 1]];
        const Vertex& c = vertices[indices[i + 2]];
        const float ex1 = b.x - a.x, ey1 = b.y - a.y, ex2 = c.x - a.x, ey2 = c.y - a.y;
        const float det = ex1 * ey2 - ex2 * ey1;
        if (det == 0.0f) {
            continue;
        }
        const float du1 = b.u - a.u, dv1 = b.v - a.v, du2 = c.u - a.u, dv2 = c.v - a.v;
        // The texture-coordinate gradient over the screen: d(u, v) / d(x, y).
        const float dudx = (du1 * ey2 - du2 * ey1) / det;
        const float dudy = (du2 * ex1 - du1 * ex2) / det;
        const float dvdx = (dv1 * ey2 - dv2 * ey1) / det;
        const float dvdy = (dv2 * ex1 - dv1 * ex2) / det;
        if (std::fabs(dudy) + std::fabs(dvdx) > std::fabs(dudx) + std::fabs(dvdy)) {
            return true;
        }
    }
    return false;
}

// The software renderer draws a quad that it takes for a rectangle as an image copy, truncating
// its origin and its size each on their own: at a fractional scale (or at fractional design sizes)
// quads that share an edge then leave a pixel column or row between them, and the background shows
// through a nine-slice sprite's seams. Truncated beforehand, every edge is a whole pixel line that
// both quads share. Truncation rather than rounding down, because it is what the renderer does to
// each triangle corner itself: triangles, on screen or partly off it, draw exactly as before.
void snapToPixelLines(std::vector<float>& xy) {
    for (float& v : xy) {
        v = std::trunc(v);
    }
}

// Ids are unique across every renderer of the process.
TextureId g_nextTextureId = 1;

SDL_BlendMode premultipliedBlendMode() {
    return SDL_ComposeCustomBlendMode(SDL_BLENDFACTOR_ONE, SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA, SDL_BLENDOPERATION_ADD,
                                      SDL_BLENDFACTOR_ONE, SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA, SDL_BLENDOPERATION_ADD);
}

SDL_BlendMode sdlBlendMode(BlendMode blend) {
    switch (blend) {
        case BlendMode::Alpha:
            return SDL_BLENDMODE_BLEND;
        case BlendMode::Premultiplied:
            return premultipliedBlendMode();
        case BlendMode::Additive:
            return SDL_BLENDMODE_ADD;
        case BlendMode::None:
            return SDL_BLENDMODE_NONE;
        case BlendMode::Multiply:
            return SDL_BLENDMODE_MOD;
    }
    return SDL_BLENDMODE_BLEND;
}

}  // namespace

SdlRenderer::SdlRenderer(SDL_Renderer* renderer) : m_renderer(renderer), m_targetFormat(SDL_PIXELFORMAT_ARGB8888) {
    // The software renderer copies a texture of the frame's own pixel format to the frame row by
    // row, and maps unshaded opaque triangles from it texel by texel; any other format is
    // converted pixel by pixel on every draw. Render targets are opaque (drawn over a cleared
    // background), so the frame's format loses nothing even when it has no alpha.
    SDL_RendererInfo info{};
    SDL_Window* window = renderer ? SDL_RenderGetWindow(renderer) : nullptr;
    m_software = window && SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    if (m_software) {
        const Uint32 frameFormat = SDL_GetWindowPixelFormat(window);
        for (Uint32 i = 0; i < info.num_texture_formats; ++i) {
            if (info.texture_formats[i] == frameFormat) {
                m_targetFormat = frameFormat;
            }
        }
    }
}

SdlRenderer::~SdlRenderer() {
    if (Renderer::current() == this) {
        Renderer::setCurrent(nullptr);
    }
    for (auto& entry : m_textures) {
        SDL_DestroyTexture(entry.second.texture);
    }
    for (const Texture& spare : m_spareTargets) {
        SDL_DestroyTexture(spare.texture);
    }
    if (m_renderer) {
        SDL_DestroyRenderer(m_renderer);
    }
}

void SdlRenderer::setDesignSize(const CCSize& designSize) {
    if (designSize.width > 0.0f && designSize.height > 0.0f) {
        m_designSize = designSize;
    }
}

PageViewport SdlRenderer::frameViewport() const {
    int w = 0;
    int h = 0;
    SDL_GetRendererOutputSize(m_renderer, &w, &h);
    return PageViewport::fit(m_designSize, w, h, m_letterboxed);
}

void SdlRenderer::applyFrameViewport() {
    if (!m_letterboxed) {
        // SDL's own viewport is the whole output until one is set.
        if (m_viewportSet) {
            SDL_RenderSetViewport(m_renderer, nullptr);
            m_viewportSet = false;
        }
        return;
    }
    const PageViewport page = frameViewport();
    const SDL_Rect rect{page.x, page.y, page.width, page.height};
    SDL_RenderSetViewport(m_renderer, &rect);
    m_viewportSet = true;
}

int SdlRenderer::targetWidth() const {
    if (m_target != 0) {
        auto it = m_textures.find(m_target);
        return it != m_textures.end() ? it->second.width : 0;
    }
    return frameViewport().width;
}

int SdlRenderer::targetHeight() const {
    if (m_target != 0) {
        auto it = m_textures.find(m_target);
        return it != m_textures.end() ? it->second.height : 0;
    }
    return frameViewport().height;
}

TextureId SdlRenderer::createTexture(int width, int height, const std::uint8_t* rgba) {
    if (width <= 0 || height <= 0 || !rgba) {
        return 0;
    }
    // An opaque picture (every photograph, most page art) is kept in the frame's own format: the
    // software renderer then copies it to the frame row by row and maps it texel by texel, where
    // straight-alpha pixels are blended one by one, whatever their alpha.
    const bool opaque = m_software && SDL_BYTESPERPIXEL(m_targetFormat) == 4 &&
                        isOpaque(rgba, static_cast<std::size_t>(width) * height);
    const Uint32 format = opaque ? m_targetFormat : static_cast<Uint32>(SDL_PIXELFORMAT_RGBA32);
    return createFilled(width, height, SDL_PIXELFORMAT_RGBA32, rgba, width * 4, format,
                        opaque ? Kind::Opaque : Kind::Image);
}

TextureId SdlRenderer::createOpaqueTexture(int width, int height, const std::uint8_t* rgb, int pitch) {
    if (width <= 0 || height <= 0 || !rgb || pitch < width * 3) {
        return 0;
    }
    const Uint32 format =
        m_software && SDL_BYTESPERPIXEL(m_targetFormat) == 4 ? m_targetFormat : Uint32{SDL_PIXELFORMAT_RGB888};
    return createFilled(width, height, SDL_PIXELFORMAT_RGB24, rgb, pitch, format, Kind::Opaque);
}

TextureId SdlRenderer::createFilled(int width, int height, std::uint32_t sourceFormat, const std::uint8_t* source,
                                    int sourcePitch, std::uint32_t format, Kind kind) {
    SDL_Texture* texture = SDL_CreateTexture(m_renderer, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!texture) {
        return 0;
    }
    void* pixels = nullptr;
    int pitch = 0;
    const bool filled = SDL_LockTexture(texture, nullptr, &pixels, &pitch) == 0 &&
                        SDL_ConvertPixels(width, height, sourceFormat, source, sourcePitch, format, pixels, pitch) == 0;
    if (pixels) {
        SDL_UnlockTexture(texture);
    }
    if (!filled) {
        SDL_DestroyTexture(texture);
        return 0;
    }
    return adopt(texture, width, height, kind);
}

TextureId SdlRenderer::reserveTexture(int width, int height, bool opaque) {
    if (!m_software || width <= 0 || height <= 0) {
        return 0;
    }
    opaque = opaque && SDL_BYTESPERPIXEL(m_targetFormat) == 4;
    // SDL fills a new software texture with zeros. Its pages go back to the system at once and
    // come back band by band as fillReservedTexture copies the pixels in.
    SDL_Texture* texture = SDL_CreateTexture(m_renderer, opaque ? m_targetFormat : Uint32{SDL_PIXELFORMAT_RGBA32},
                                             SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!texture) {
        return 0;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0) {
        SDL_DestroyTexture(texture);
        return 0;
    }
    platformReleasePages(pixels, static_cast<std::size_t>(pitch) * static_cast<std::size_t>(height));
    SDL_UnlockTexture(texture);
    return adopt(texture, width, height, opaque ? Kind::ReservedOpaque : Kind::Reserved);
}

bool SdlRenderer::fillReservedTexture(TextureId texture, std::uint8_t* rgba) {
    auto it = m_textures.find(texture);
    if (it == m_textures.end() || !rgba ||
        (it->second.kind != Kind::Reserved && it->second.kind != Kind::ReservedOpaque)) {
        return false;
    }
    const bool opaque = it->second.kind == Kind::ReservedOpaque;
    const Uint32 format = opaque ? m_targetFormat : Uint32{SDL_PIXELFORMAT_RGBA32};
    void* locked = nullptr;
    int pitch = 0;
    const int width = it->second.width;
    const int height = it->second.height;
    if (SDL_LockTexture(it->second.texture, nullptr, &locked, &pitch) != 0 || pitch < width * 4) {
        if (locked) {
            SDL_UnlockTexture(it->second.texture);
        }
        return false;
    }
    // The copied bands of the source go back to the system behind the copy, so that the picture
    // is in memory about once while it moves.
    auto* out = static_cast<std::uint8_t*>(locked);
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    const int band = std::max(1, static_cast<int>((256u * 1024u) / row));
    for (int top = 0; top < height; top += band) {
        const int rows = std::min(band, height - top);
        std::uint8_t* from = rgba + row * static_cast<std::size_t>(top);
        SDL_ConvertPixels(width, rows, SDL_PIXELFORMAT_RGBA32, from, static_cast<int>(row), format,
                          out + static_cast<std::size_t>(pitch) * static_cast<std::size_t>(top), pitch);
        platformReleasePages(from, row * static_cast<std::size_t>(rows));
    }
    SDL_UnlockTexture(it->second.texture);
    it->second.kind = opaque ? Kind::Opaque : Kind::Image;
    return true;
}

TextureId SdlRenderer::adopt(SDL_Texture* texture, int width, int height, Kind kind) {
    // Images are drawn scaled (the frame is rarely the design size): filter them.
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    const TextureId id = g_nextTextureId++;
    m_textures[id] = Texture{texture, width, height, kind};
    return id;
}

TextureId SdlRenderer::createRenderTarget(int pixelWidth, int pixelHeight) {
    if (pixelWidth <= 0 || pixelHeight <= 0) {
        return 0;
    }
    const auto spare = std::find_if(m_spareTargets.begin(), m_spareTargets.end(),
                                    [&](const Texture& t) { return t.width == pixelWidth && t.height == pixelHeight; });
    if (spare != m_spareTargets.end()) {
        const TextureId id = adopt(spare->texture, pixelWidth, pixelHeight, Kind::Target);
        m_spareTargets.erase(spare);
        // Cleared as a new one would be.
        const TextureId current = m_target;
        setRenderTarget(id);
        SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 0);
        SDL_RenderClear(m_renderer);
        setRenderTarget(current);
        return id;
    }
    // Spares of another size (the window changed) will not be asked for again.
    for (const Texture& old : m_spareTargets) {
        SDL_DestroyTexture(old.texture);
    }
    m_spareTargets.clear();
    SDL_Texture* texture =
        SDL_CreateTexture(m_renderer, m_targetFormat, SDL_TEXTUREACCESS_TARGET, pixelWidth, pixelHeight);
    if (!texture) {
        return 0;
    }
    return adopt(texture, pixelWidth, pixelHeight, Kind::Target);
}

void SdlRenderer::destroyTexture(TextureId texture) {
    auto it = m_textures.find(texture);
    if (it == m_textures.end()) {
        return;
    }
    if (m_target == texture) {
        setRenderTarget(0);
    }
    if (it->second.kind == Kind::Target && m_spareTargets.size() < kSpareTargets) {
        m_spareTargets.push_back(it->second);
    } else {
        SDL_DestroyTexture(it->second.texture);
    }
    m_textures.erase(it);
    m_clips.erase(texture);
}

bool SdlRenderer::isTextureFixed(TextureId texture) const {
    const auto it = m_textures.find(texture);
    return it != m_textures.end() && (it->second.kind == Kind::Image || it->second.kind == Kind::Opaque);
}

void SdlRenderer::setRenderTarget(TextureId target) {
    SDL_Texture* texture = nullptr;
    if (target != 0) {
        auto it = m_textures.find(target);
        if (it == m_textures.end() || it->second.kind != Kind::Target) {
            return;
        }
        texture = it->second.texture;
    }
    if (SDL_SetRenderTarget(m_renderer, texture) != 0) {
        return;
    }
    m_target = target;
    if (target == 0) {
        applyFrameViewport();
    }
    // SDL forgets the clip rectangle when the target changes; put this target's clip back.
    applyClip();
}

void SdlRenderer::clear(const ccColor4B& color) {
    if (m_target == 0 && m_limited) {
        // SDL clears the whole output whatever the clip; a frame drawn in part fills its rectangle,
        // which gives its pixels exactly what a clear would.
        if (m_limit.w > 0 && m_limit.h > 0) {
            const SDL_Rect rect{m_limit.x, m_limit.y, m_limit.w, m_limit.h};
            SDL_SetRenderDrawColor(m_renderer, color.r, color.g, color.b, color.a);
            SDL_SetRenderDrawBlendMode(m_renderer, SDL_BLENDMODE_NONE);
            SDL_RenderFillRect(m_renderer, &rect);
        }
        return;
    }
    if (m_target != 0 || !m_letterboxed) {
        SDL_SetRenderDrawColor(m_renderer, color.r, color.g, color.b, color.a);
        SDL_RenderClear(m_renderer);
        return;
    }
    // SDL clears the whole output whatever the viewport: bars first, then the page.
    applyFrameViewport();
    SDL_SetRenderDrawColor(m_renderer, kBarColor.r, kBarColor.g, kBarColor.b, kBarColor.a);
    SDL_RenderClear(m_renderer);
    const SDL_Rect page{0, 0, targetWidth(), targetHeight()};
    SDL_SetRenderDrawColor(m_renderer, color.r, color.g, color.b, color.a);
    SDL_SetRenderDrawBlendMode(m_renderer, SDL_BLENDMODE_NONE);
    SDL_RenderFillRect(m_renderer, &page);
}

bool SdlRenderer::setBlend(SDL_Texture* texture, BlendMode blend) {
    SDL_BlendMode mode = sdlBlendMode(blend);
    if (blend == BlendMode::Premultiplied && !m_premultipliedSupported) {
        mode = SDL_BLENDMODE_BLEND;
    }
    int result = texture ? SDL_SetTextureBlendMode(texture, mode) : SDL_SetRenderDrawBlendMode(m_renderer, mode);
    if (result != 0 && blend == BlendMode::Premultiplied) {
        // The software renderer has no custom blend modes; straight alpha is the closest.
        m_premultipliedSupported = false;
        result = texture ? SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND)
                         : SDL_SetRenderDrawBlendMode(m_renderer, SDL_BLENDMODE_BLEND);
    }
    return result == 0;
}

void SdlRenderer::drawTriangles(TextureId texture, const Vertex* vertices, int vertexCount, const int* indices,
                                int indexCount, BlendMode blend) {
    if (!vertices || vertexCount < 3 || !indices || indexCount < 3 || indexCount % 3 != 0) {
        return;
    }
    auto clips = m_clips.find(m_target);
    if (clips != m_clips.end() && !clips->second.empty() &&
        (clips->second.back().w == 0 || clips->second.back().h == 0)) {
        return;  // clipped away entirely
    }
    if (m_target == 0 && m_limited && m_limitClipEmpty) {
        return;  // nothing of it lies in the part of the frame being drawn
    }
    for (int i = 0; i < indexCount; ++i) {
        if (indices[i] < 0 || indices[i] >= vertexCount) {
            return;
        }
    }
    SDL_Texture* sdlTexture = nullptr;
    if (texture != 0) {
        auto it = m_textures.find(texture);
        if (it == m_textures.end()) {
            return;  // gone, or made by another renderer
        }
        sdlTexture = it->second.texture;
        // Over an opaque texture with opaque vertex colours, alpha blending gives the source
        // pixels exactly; without it the software renderer copies instead of blending.
        if (it->second.kind == Kind::Opaque && (blend == BlendMode::Alpha || blend == BlendMode::Premultiplied) &&
            allVerticesOpaque(vertices, vertexCount)) {
            blend = BlendMode::None;
        }
    }
    if (!setBlend(sdlTexture, blend)) {
        return;
    }

    const float scaleX = static_cast<float>(targetWidth()) / m_designSize.width;
    const float scaleY = static_cast<float>(targetHeight()) / m_designSize.height;
    m_scratch.resize(static_cast<std::size_t>(vertexCount) * 2);
    for (int i = 0; i < vertexCount; ++i) {
        m_scratch[2 * i] = vertices[i].x * scaleX;
        m_scratch[2 * i + 1] = (m_designSize.height - vertices[i].y) * scaleY;
    }
    if (m_software) {
        snapToPixelLines(m_scratch);
    }
    static_assert(sizeof(ccColor4B) == sizeof(SDL_Color), "vertex colours are passed to SDL as they are");
    const SDL_Color* colors = reinterpret_cast<const SDL_Color*>(&vertices[0].color);
    // SDL's software renderer turns rectangles made of two triangles into image copies and
    // rectangle fills. Its copy of a vertically flipped image (every quad here: design y grows
    // upwards) drops additive blending, its rectangle fill knows no multiplying, and a copy cannot
    // turn the image a quarter round, which a rotated atlas frame or a sprite rotated by 90
    // degrees needs. Single triangles are never taken for rectangles.
    const bool oneByOne = blend == BlendMode::Additive || blend == BlendMode::Multiply ||
                          (sdlTexture && hasQuarterTurnedTexture(vertices, indices, indexCount));
    const int batch = oneByOne ? 3 : indexCount;
    for (int first = 0; first < indexCount; first += batch) {
        SDL_RenderGeometryRaw(m_renderer, sdlTexture, m_scratch.data(), 2 * sizeof(float), colors, sizeof(Vertex),
                              &vertices[0].u, sizeof(Vertex), vertexCount, indices + first, batch, sizeof(int));
    }
}

void SdlRenderer::pushClip(const CCRect& designRect) {
    const int width = targetWidth();
    const int height = targetHeight();
    Clip clip;
    ExactFit{m_designSize, static_cast<float>(width), static_cast<float>(height)}.designRectToPixels(
        designRect, clip.x, clip.y, clip.w, clip.h);
    // Nested clips intersect; the frame bounds the outermost one.
    int left = std::max(clip.x, 0);
    int top = std::max(clip.y, 0);
    int right = std::min(clip.x + clip.w, width);
    int bottom = std::min(clip.y + clip.h, height);
    std::vector<Clip>& stack = m_clips[m_target];
    if (!stack.empty()) {
        const Clip& outer = stack.back();
        left = std::max(left, outer.x);
        top = std::max(top, outer.y);
        right = std::min(right, outer.x + outer.w);
        bottom = std::min(bottom, outer.y + outer.h);
    }
    stack.push_back(Clip{left, top, std::max(right - left, 0), std::max(bottom - top, 0)});
    applyClip();
}

void SdlRenderer::popClip() {
    auto it = m_clips.find(m_target);
    if (it != m_clips.end() && !it->second.empty()) {
        it->second.pop_back();
    }
    applyClip();
}

void SdlRenderer::applyClip() {
    auto it = m_clips.find(m_target);
    const bool nodeClip = it != m_clips.end() && !it->second.empty();
    if (m_target == 0 && m_limited) {
        Clip clip = m_limit;
        if (nodeClip) {
            const Clip& node = it->second.back();
            const int left = std::max(clip.x, node.x);
            const int top = std::max(clip.y, node.y);
            const int right = std::min(clip.x + clip.w, node.x + node.w);
            const int bottom = std::min(clip.y + clip.h, node.y + node.h);
            clip = Clip{left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
        }
        // An empty clip draws nothing (drawTriangles skips), but SDL would take it for none.
        const SDL_Rect rect{clip.x, clip.y, std::max(clip.w, 1), std::max(clip.h, 1)};
        SDL_RenderSetClipRect(m_renderer, clip.w > 0 && clip.h > 0 ? &rect : nullptr);
        m_limitClipEmpty = clip.w == 0 || clip.h == 0;
        return;
    }
    if (!nodeClip) {
        SDL_RenderSetClipRect(m_renderer, nullptr);
        return;
    }
    const Clip& clip = it->second.back();
    if (clip.w == 0 || clip.h == 0) {
        return;  // drawTriangles skips everything; SDL would take an empty rectangle for "no clip"
    }
    const SDL_Rect rect{clip.x, clip.y, clip.w, clip.h};
    SDL_RenderSetClipRect(m_renderer, &rect);
}

bool SdlRenderer::readPixels(std::vector<std::uint8_t>& rgba, int& width, int& height) {
    const bool wholeFrame = m_target == 0 && m_letterboxed;
    if (wholeFrame) {
        // SDL reads the viewport's pixels; the frame is the page and its bars.
        SDL_GetRendererOutputSize(m_renderer, &width, &height);
        SDL_RenderSetViewport(m_renderer, nullptr);
    } else {
        width = targetWidth();
        height = targetHeight();
    }
    bool read = width > 0 && height > 0;
    if (read) {
        rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
        read = SDL_RenderReadPixels(m_renderer, nullptr, SDL_PIXELFORMAT_RGBA32, rgba.data(), width * 4) == 0;
    }
    if (wholeFrame) {
        applyFrameViewport();
        applyClip();
    }
    if (!read) {
        rgba.clear();
    }
    return read;
}

void SdlRenderer::present() {
    SDL_Window* window = SDL_RenderGetWindow(m_renderer);
    if (!m_limited || !window) {
        SDL_RenderPresent(m_renderer);
        return;
    }
    m_limited = false;
    ++m_partialFrames;
    if (m_limit.w > 0 && m_limit.h > 0) {
        // Only the rectangle goes to the screen: the frame's own pixels are drawn and the window
        // surface is updated there alone.
        SDL_RenderFlush(m_renderer);
        const PageViewport page = frameViewport();
        const int x = m_letterboxed ? page.x : 0;
        const int y = m_letterboxed ? page.y : 0;
        const SDL_Rect rect{m_limit.x + x, m_limit.y + y, m_limit.w, m_limit.h};
        SDL_UpdateWindowSurfaceRects(window, &rect, 1);
    }
    if (m_target == 0) {
        applyClip();
    }
}

bool SdlRenderer::limitFrameTo(const CCRect& designRect) {
    if (!m_software || !SDL_RenderGetWindow(m_renderer)) {
        return false;
    }
    const int width = frameViewport().width;
    const int height = frameViewport().height;
    const float scaleX = static_cast<float>(width) / m_designSize.width;
    const float scaleY = static_cast<float>(height) / m_designSize.height;
    // Drawing snaps corners to whole pixels and filters textures inside their quads only, so a
    // pixel of margin around the rectangle's pixels takes in everything its calls touch.
    constexpr float kMargin = 2.0f;
    const float left = std::floor(designRect.getMinX() * scaleX) - kMargin;
    const float right = std::ceil(designRect.getMaxX() * scaleX) + kMargin;
    const float top = std::floor((m_designSize.height - designRect.getMaxY()) * scaleY) - kMargin;
    const float bottom = std::ceil((m_designSize.height - designRect.getMinY()) * scaleY) + kMargin;
    const auto clamp = [](float v, int high) { return static_cast<int>(std::max(0.0f, std::min(v, float(high)))); };
    const int x0 = clamp(left, width);
    const int x1 = clamp(right, width);
    const int y0 = clamp(top, height);
    const int y1 = clamp(bottom, height);
    m_limit = Clip{x0, y0, x1 - x0, y1 - y0};
    m_limited = true;
    if (m_target == 0) {
        applyClip();
    }
    return true;
}

}  // namespace lirava
