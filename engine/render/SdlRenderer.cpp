#include "engine/render/SdlRenderer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "engine/render/ExactFit.h"

namespace lirava {

namespace {

// Whether any triangle maps the texture turned a quarter round against the screen: the texture's
// u then follows the screen's y (or v its x) more than its own axis. Axis-aligned quads drawn that
// way are exactly what the software renderer's rectangle copy gets wrong.
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
    }
    return SDL_BLENDMODE_BLEND;
}

}  // namespace

SdlRenderer::SdlRenderer(SDL_Renderer* renderer) : m_renderer(renderer) {}

SdlRenderer::~SdlRenderer() {
    if (Renderer::current() == this) {
        Renderer::setCurrent(nullptr);
    }
    for (auto& entry : m_textures) {
        SDL_DestroyTexture(entry.second.texture);
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
    SDL_Texture* texture =
        SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, width, height);
    if (!texture) {
        return 0;
    }
    if (SDL_UpdateTexture(texture, nullptr, rgba, width * 4) != 0) {
        SDL_DestroyTexture(texture);
        return 0;
    }
    // Images are drawn scaled (the frame is rarely the design size): filter them.
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    const TextureId id = g_nextTextureId++;
    m_textures[id] = Texture{texture, width, height, false};
    return id;
}

TextureId SdlRenderer::createRenderTarget(int pixelWidth, int pixelHeight) {
    if (pixelWidth <= 0 || pixelHeight <= 0) {
        return 0;
    }
    SDL_Texture* texture =
        SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, pixelWidth, pixelHeight);
    if (!texture) {
        return 0;
    }
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    const TextureId id = g_nextTextureId++;
    m_textures[id] = Texture{texture, pixelWidth, pixelHeight, true};
    return id;
}

void SdlRenderer::destroyTexture(TextureId texture) {
    auto it = m_textures.find(texture);
    if (it == m_textures.end()) {
        return;
    }
    if (m_target == texture) {
        setRenderTarget(0);
    }
    SDL_DestroyTexture(it->second.texture);
    m_textures.erase(it);
    m_clips.erase(texture);
}

bool SdlRenderer::isTextureFixed(TextureId texture) const {
    const auto it = m_textures.find(texture);
    return it != m_textures.end() && !it->second.target;
}

void SdlRenderer::setRenderTarget(TextureId target) {
    SDL_Texture* texture = nullptr;
    if (target != 0) {
        auto it = m_textures.find(target);
        if (it == m_textures.end() || !it->second.target) {
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
    static_assert(sizeof(ccColor4B) == sizeof(SDL_Color), "vertex colours are passed to SDL as they are");
    const SDL_Color* colors = reinterpret_cast<const SDL_Color*>(&vertices[0].color);
    // SDL's software renderer turns rectangles made of two triangles into image copies. Its copy
    // of a vertically flipped image (every quad here: design y grows upwards) drops additive
    // blending, and a copy cannot turn the image a quarter round, which a rotated atlas frame or a
    // sprite rotated by 90 degrees needs. Single triangles are never taken for rectangles.
    const bool oneByOne =
        blend == BlendMode::Additive || (sdlTexture && hasQuarterTurnedTexture(vertices, indices, indexCount));
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
    if (it == m_clips.end() || it->second.empty()) {
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
    SDL_RenderPresent(m_renderer);
}

}  // namespace lirava
