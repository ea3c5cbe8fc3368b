#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "engine/render/CCTexture2D.h"
#include "engine/render/Image.h"
#include "engine/render/Renderer.h"

namespace lirava::test {

// A renderer that keeps what it is given: uploaded pixels and every drawTriangles call. It can
// also say which colour the calls put at a point (nearest texel times vertex colour, topmost
// triangle wins, no blending), which is enough to check what ends up where and which way up.
class RecordingRenderer : public Renderer {
public:
    struct Call {
        TextureId texture;
        std::vector<Vertex> vertices;
        std::vector<int> indices;
        BlendMode blend;
    };

    RecordingRenderer() { Renderer::setCurrent(this); }
    ~RecordingRenderer() override {
        CCTexture2D::rendererWillBeDestroyed(this);
        if (Renderer::current() == this) {
            Renderer::setCurrent(nullptr);
        }
    }

    void setDesignSize(const CCSize& size) override { m_designSize = size; }
    CCSize getDesignSize() const override { return m_designSize; }
    int targetWidth() const override { return 640; }
    int targetHeight() const override { return 960; }

    TextureId createTexture(int width, int height, const std::uint8_t* rgba) override {
        const TextureId id = ++m_nextId;
        textures[id].initWithRawData(rgba, width, height);
        return id;
    }
    void destroyTexture(TextureId texture) override {
        if (textures.erase(texture)) {
            ++destroyed;
        }
    }
    TextureId createRenderTarget(int, int) override { return 0; }
    void setRenderTarget(TextureId) override {}
    void clear(const ccColor4B&) override {}
    void drawTriangles(TextureId texture, const Vertex* vertices, int vertexCount, const int* indices, int indexCount,
                       BlendMode blend) override {
        calls.push_back(Call{texture, std::vector<Vertex>(vertices, vertices + vertexCount),
                             std::vector<int>(indices, indices + indexCount), blend});
    }
    void pushClip(const CCRect&) override {}
    void popClip() override {}
    bool readPixels(std::vector<std::uint8_t>&, int&, int&) override { return false; }
    void present() override {}

    std::optional<ccColor4B> sample(float x, float y) const {
        for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
            for (std::size_t t = call->indices.size(); t >= 3; t -= 3) {
                const Vertex& a = call->vertices[call->indices[t - 3]];
                const Vertex& b = call->vertices[call->indices[t - 2]];
                const Vertex& c = call->vertices[call->indices[t - 1]];
                const float det = (b.y - c.y) * (a.x - c.x) + (c.x - b.x) * (a.y - c.y);
                if (std::fabs(det) < 1e-9f) {
                    continue;
                }
                const float wa = ((b.y - c.y) * (x - c.x) + (c.x - b.x) * (y - c.y)) / det;
                const float wb = ((c.y - a.y) * (x - c.x) + (a.x - c.x) * (y - c.y)) / det;
                const float wc = 1.0f - wa - wb;
                if (wa < 0.0f || wb < 0.0f || wc < 0.0f) {
                    continue;
                }
                const float u = wa * a.u + wb * b.u + wc * c.u;
                const float v = wa * a.v + wb * b.v + wc * c.v;
                const ccColor4B tint = a.color;
                auto found = textures.find(call->texture);
                if (found == textures.end()) {
                    return tint;
                }
                const Image& image = found->second;
                const int px = std::clamp(static_cast<int>(std::floor(u * image.width())), 0, image.width() - 1);
                const int py = std::clamp(static_cast<int>(std::floor(v * image.height())), 0, image.height() - 1);
                const std::uint8_t* texel = image.pixel(px, py);
                return ccColor4B{static_cast<std::uint8_t>(texel[0] * tint.r / 255),
                                 static_cast<std::uint8_t>(texel[1] * tint.g / 255),
                                 static_cast<std::uint8_t>(texel[2] * tint.b / 255),
                                 static_cast<std::uint8_t>(texel[3] * tint.a / 255)};
            }
        }
        return std::nullopt;
    }

    std::vector<Call> calls;
    std::map<TextureId, Image> textures;
    int destroyed = 0;

private:
    CCSize m_designSize{640.0f, 960.0f};
    TextureId m_nextId = 0;
};

}  // namespace lirava::test
