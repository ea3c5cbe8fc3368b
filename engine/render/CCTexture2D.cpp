#include "engine/render/CCTexture2D.h"

#include <unordered_set>
#include <utility>

#include "engine/platform/CCFileUtils.h"

namespace lirava {

namespace {
std::unordered_set<CCTexture2D*>& liveTextures() {
    static std::unordered_set<CCTexture2D*> textures;
    return textures;
}

bool isJpeg(const std::string& encoded) {
    return encoded.size() > 2 && static_cast<unsigned char>(encoded[0]) == 0xFF &&
           static_cast<unsigned char>(encoded[1]) == 0xD8;
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
    m_reserved = false;
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
    releaseFromRenderer();
    std::string bytes;
    if (!CCFileUtils::sharedFileUtils()->readFile(fullPath, bytes)) {
        initWithImage(Image());
        return false;
    }
    if (!(isJpeg(bytes) && Renderer::current() && decodeJpeg(bytes)) && !decodeImage(bytes)) {
        initWithImage(Image());
        return false;
    }
    m_sourcePath = fullPath;
    return true;
}

bool CCTexture2D::decodeJpeg(const std::string& encoded) {
    // The decoder's RGB rows go straight into the texture, now rather than at the first draw: the
    // picture then never exists as RGBA, and the first frame that shows it only draws it.
    JpegRows jpeg;
    if (!jpeg.decode(encoded.data(), encoded.size())) {
        return false;
    }
    m_pixels.clear();
    m_width = jpeg.width();
    m_height = jpeg.height();
    Renderer& holder = Renderer::current()->textureHolder();
    m_textureId = holder.createOpaqueTexture(m_width, m_height, jpeg.rows(), jpeg.pitch());
    m_renderer = m_textureId ? &holder : nullptr;
    // A renderer that takes only RGBA gets the pixels at the first draw.
    return m_textureId != 0 || m_pixels.initWithRgbRows(jpeg.rows(), m_width, m_height, jpeg.pitch());
}

bool CCTexture2D::decodeImage(const std::string& encoded) {
    reserveFor(encoded);
    Image image;
    if (!image.initWithEncodedData(encoded.data(), encoded.size())) {
        releaseFromRenderer();
        return false;
    }
    m_width = image.width();
    m_height = image.height();
    m_pixels = std::move(image);
    return true;
}

void CCTexture2D::reserveFor(const std::string& encoded) {
    // Only picture-sized images are worth it: the texture is made before the decoded pixels exist,
    // so that the two are never whole in memory together.
    Renderer* renderer = Renderer::current();
    int width = 0;
    int height = 0;
    if (!renderer ||
        !readImageHeaderSize(reinterpret_cast<const std::uint8_t*>(encoded.data()), encoded.size(), width, height) ||
        width > Image::kMaxSide || height > Image::kMaxSide ||
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4 < kReserveBytes) {
        return;
    }
    // A JPEG decodes to opaque pixels, whatever it holds.
    Renderer& holder = renderer->textureHolder();
    m_textureId = holder.reserveTexture(width, height, isJpeg(encoded));
    m_renderer = m_textureId ? &holder : nullptr;
    m_reserved = m_textureId != 0;
}

TextureId CCTexture2D::textureIdFor(Renderer& drawing) {
    Renderer& renderer = drawing.textureHolder();
    if (m_textureId != 0 && m_renderer == &renderer) {
        if (m_reserved) {
            m_reserved = false;
            if (renderer.fillReservedTexture(m_textureId, m_pixels.data())) {
                m_pixels.clear();
                return m_textureId;
            }
            releaseFromRenderer();
        } else {
            return m_textureId;
        }
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
            texture->m_reserved = false;
        }
    }
}

std::size_t CCTexture2D::liveTextureCount() {
    return liveTextures().size();
}

}  // namespace lirava
