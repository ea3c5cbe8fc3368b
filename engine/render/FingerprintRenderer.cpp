#include "engine/render/FingerprintRenderer.h"

#include <cstring>

namespace lirava {

namespace {
// Tags that keep one kind of call from summing up like another.
enum Call : std::uint64_t { kClear = 1, kTriangles, kPushClip, kPopClip };
}  // namespace

FingerprintRenderer::FingerprintRenderer(Renderer& real) : m_real(real) {}

void FingerprintRenderer::mixWord(std::uint64_t word) {
    m_hash = (m_hash ^ word) * 0x100000001b3ull;
    m_hash ^= m_hash >> 29;
}

void FingerprintRenderer::mix(const void* bytes, std::size_t size) {
    const auto* at = static_cast<const unsigned char*>(bytes);
    std::uint64_t word = 0;
    for (; size >= sizeof word; size -= sizeof word, at += sizeof word) {
        std::memcpy(&word, at, sizeof word);
        mixWord(word);
    }
    word = 0;
    std::memcpy(&word, at, size);
    mixWord(word ^ (static_cast<std::uint64_t>(size) << 56));
}

void FingerprintRenderer::setDesignSize(const CCSize& /*designSize*/) {
    m_unreliable = true;
}

TextureId FingerprintRenderer::createTexture(int width, int height, const std::uint8_t* rgba) {
    return m_real.createTexture(width, height, rgba);
}

void FingerprintRenderer::destroyTexture(TextureId texture) {
    m_real.destroyTexture(texture);
}

TextureId FingerprintRenderer::createRenderTarget(int pixelWidth, int pixelHeight) {
    return m_real.createRenderTarget(pixelWidth, pixelHeight);
}

void FingerprintRenderer::setRenderTarget(TextureId /*target*/) {
    m_unreliable = true;
}

void FingerprintRenderer::clear(const ccColor4B& color) {
    mixWord(kClear);
    mix(&color, sizeof color);
}

void FingerprintRenderer::drawTriangles(TextureId texture, const Vertex* vertices, int vertexCount, const int* indices,
                                        int indexCount, BlendMode blend) {
    if (texture != 0 && !m_real.isTextureFixed(texture)) {
        m_unreliable = true;
    }
    mixWord(kTriangles);
    mixWord((static_cast<std::uint64_t>(texture) << 8) ^ static_cast<std::uint64_t>(blend));
    mixWord((static_cast<std::uint64_t>(static_cast<std::uint32_t>(vertexCount)) << 32) ^
            static_cast<std::uint32_t>(indexCount));
    if (vertices && vertexCount > 0) {
        mix(vertices, sizeof(Vertex) * static_cast<std::size_t>(vertexCount));
    }
    if (indices && indexCount > 0) {
        mix(indices, sizeof(int) * static_cast<std::size_t>(indexCount));
    }
}

void FingerprintRenderer::pushClip(const CCRect& designRect) {
    mixWord(kPushClip);
    const float corners[4] = {designRect.origin.x, designRect.origin.y, designRect.size.width, designRect.size.height};
    mix(corners, sizeof corners);
}

void FingerprintRenderer::popClip() {
    mixWord(kPopClip);
}

bool FingerprintRenderer::readPixels(std::vector<std::uint8_t>& /*rgba*/, int& width, int& height) {
    m_unreliable = true;
    width = 0;
    height = 0;
    return false;
}

void FingerprintRenderer::present() {
    m_unreliable = true;
}

}  // namespace lirava
