#include "engine/render/CCTexture2D.h"

#include <unordered_set>
#include <utility>

namespace lirava {

namespace {
std::unordered_set<CCTexture2D*>& liveTextures() {
    static std::unordered_set<CCTexture2D*> textures;
    return textures;
}
}  // namespace

CCTexture2D::CCTexture2D() {
    liveTextures().insert(this);
}

CCTexture2D::~CCTexture2D() {
    releaseFromRenderer();
    liveTextures().erase(this);
}

void CCTexture2D::releaseFromRenderer() {
    // Only the renderer that made the handle may destroy it; if that renderer is no longer the
    // current one it has either gone (and took its textures with it) or told us through
    // rendererWillBeDestroyed.
    if (m_textureId != 0 && m_renderer && m_renderer == Renderer::current()) {
        m_renderer->destroyTexture(m_textureId);
    }
    m_textureId = 0;
    m_renderer = nullptr;
}

bool CCTexture2D::initWithImage(Image&& image) {
    return initWithImage(std::move(image), 1.0f);
}

bool CCTexture2D::initWithImage(Image&& image, float pixelsPerUnit) {
    releaseFromRenderer();
    m_pixelsPerUnit = pixelsPerUnit > 0.0f ? pixelsPerUnit : 1.0f;
    m_sourcePath.clear();
    if (image.isEmpty()) {
        m_pixels.clear();
        m_width = m_height = 0;
        return false;
    }
    m_width = image.width();
    m_height = image.height();
    m_pixels = std::move(image);
    return true;
}

bool CCTexture2D::initWithFile(const std::string& fullPath) {
    Image image;
    if (!image.initWithFile(fullPath)) {
        initWithImage(Image());
        return false;
    }
    initWithImage(std::move(image));
    m_sourcePath = fullPath;
    return true;
}

TextureId CCTexture2D::textureIdFor(Renderer& drawing) {
    Renderer& renderer = drawing.textureHolder();
    if (m_textureId != 0 && m_renderer == &renderer) {
        return m_textureId;
    }
    if (m_width == 0 || m_height == 0) {
        return 0;
    }
    if (m_textureId != 0) {
        releaseFromRenderer();  // uploaded to another renderer before
    }
    if (m_pixels.isEmpty() && !m_sourcePath.empty()) {
        // The pixels went to a renderer that is gone; read them again.
        Image again;
        if (again.initWithFile(m_sourcePath) && again.width() == m_width && again.height() == m_height) {
            m_pixels = std::move(again);
        }
    }
    if (m_pixels.isEmpty()) {
        return 0;
    }
    m_textureId = renderer.createTexture(m_width, m_height, m_pixels.data());
    if (m_textureId != 0) {
        m_renderer = &renderer;
        m_pixels.clear();  // the renderer has its own copy now
    }
    return m_textureId;
}

TextureId CCTexture2D::getName() {
    Renderer* renderer = Renderer::current();
    return renderer ? textureIdFor(*renderer) : 0;
}

void CCTexture2D::rendererWillBeDestroyed(Renderer* renderer) {
    if (!renderer) {
        return;
    }
    for (CCTexture2D* texture : liveTextures()) {
        if (texture->m_renderer == renderer) {
            renderer->destroyTexture(texture->m_textureId);
            texture->m_textureId = 0;
            texture->m_renderer = nullptr;
        }
    }
}

std::size_t CCTexture2D::liveTextureCount() {
    return liveTextures().size();
}

}  // namespace lirava
