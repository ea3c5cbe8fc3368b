#include "engine/render/DamageRenderer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace lirava {

namespace {

// Tags that keep one kind of call from hashing like another.
enum Call : std::uint64_t { kClear = 1, kTriangles, kClip };

// Covers any frame: a clear reaches every pixel.
const CCRect kEverywhere(-1.0e7f, -1.0e7f, 2.0e7f, 2.0e7f);

CCRect intersection(const CCRect& a, const CCRect& b) {
    const float left = std::max(a.getMinX(), b.getMinX());
    const float bottom = std::max(a.getMinY(), b.getMinY());
    const float right = std::min(a.getMaxX(), b.getMaxX());
    const float top = std::min(a.getMaxY(), b.getMaxY());
    return CCRect(left, bottom, std::max(right - left, 0.0f), std::max(top - bottom, 0.0f));
}

}  // namespace

// FNV-1a over 64-bit words, with a fold that spreads the high bits.
class DamageRenderer::Hash {
public:
    explicit Hash(std::uint64_t seed) { word(seed); }
    void word(std::uint64_t value) {
        m_hash = (m_hash ^ value) * 0x100000001b3ull;
        m_hash ^= m_hash >> 29;
    }
    void bytes(const void* data, std::size_t size) {
        const auto* at = static_cast<const unsigned char*>(data);
        std::uint64_t value = 0;
        for (; size >= sizeof value; size -= sizeof value, at += sizeof value) {
            std::memcpy(&value, at, sizeof value);
            word(value);
        }
        value = 0;
        std::memcpy(&value, at, size);
        word(value ^ (static_cast<std::uint64_t>(size) << 56));
    }
    std::uint64_t value() const { return m_hash; }

private:
    std::uint64_t m_hash = 0xcbf29ce484222325ull;
};

DamageRenderer::DamageRenderer(Renderer& real) : m_real(real) {}

void DamageRenderer::setDesignSize(const CCSize& /*designSize*/) {
    m_list.markUnreliable();
}

void DamageRenderer::setRenderTarget(TextureId /*target*/) {
    m_list.markUnreliable();
}

void DamageRenderer::clear(const ccColor4B& color) {
    Hash hash(kClear);
    hash.bytes(&color, sizeof color);
    m_list.add(hash.value(), kEverywhere, false);
}

void DamageRenderer::drawTriangles(TextureId texture, const Vertex* vertices, int vertexCount, const int* indices,
                                   int indexCount, BlendMode blend) {
    if (!vertices || vertexCount <= 0 || !indices || indexCount <= 0) {
        return;  // draws nothing
    }
    if (texture != 0 && !m_real.isTextureFixed(texture)) {
        m_list.markUnreliable();
    }
    Hash hash(kTriangles);
    hash.word(m_clips.empty() ? 0 : m_clips.back().hash);
    hash.word((static_cast<std::uint64_t>(texture) << 8) ^ static_cast<std::uint64_t>(blend));
    hash.word((static_cast<std::uint64_t>(static_cast<std::uint32_t>(vertexCount)) << 32) ^
              static_cast<std::uint32_t>(indexCount));
    hash.bytes(vertices, sizeof(Vertex) * static_cast<std::size_t>(vertexCount));
    hash.bytes(indices, sizeof(int) * static_cast<std::size_t>(indexCount));

    float left = std::numeric_limits<float>::max();
    float bottom = left;
    float right = -left;
    float top = -left;
    for (int i = 0; i < vertexCount; ++i) {
        left = std::min(left, vertices[i].x);
        right = std::max(right, vertices[i].x);
        bottom = std::min(bottom, vertices[i].y);
        top = std::max(top, vertices[i].y);
    }
    CCRect bounds(left, bottom, right - left, top - bottom);
    if (!(bounds.size.width >= 0.0f && bounds.size.height >= 0.0f)) {
        bounds = kEverywhere;  // not a number somewhere: assume the worst
    }
    if (!m_clips.empty()) {
        bounds = intersection(bounds, m_clips.back().area);
    }
    m_list.add(hash.value(), bounds, texture != 0);
}

void DamageRenderer::pushClip(const CCRect& designRect) {
    Hash hash(kClip);
    hash.word(m_clips.empty() ? 0 : m_clips.back().hash);
    const float corners[4] = {designRect.origin.x, designRect.origin.y, designRect.size.width, designRect.size.height};
    hash.bytes(corners, sizeof corners);
    const CCRect area = m_clips.empty() ? designRect : intersection(designRect, m_clips.back().area);
    m_clips.push_back(Clip{area, hash.value()});
}

void DamageRenderer::popClip() {
    if (!m_clips.empty()) {
        m_clips.pop_back();
    }
}

bool DamageRenderer::readPixels(std::vector<std::uint8_t>& /*rgba*/, int& width, int& height) {
    m_list.markUnreliable();
    width = 0;
    height = 0;
    return false;
}

void DamageRenderer::present() {
    m_list.markUnreliable();
}

}  // namespace lirava
