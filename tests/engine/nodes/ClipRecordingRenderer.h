#pragma once

#include <vector>

#include "engine/render/Renderer.h"

namespace lirava::test {

// A renderer that draws nothing and remembers every triangle batch with the clip rectangle in
// force, and every render-target switch.
class ClipRecordingRenderer : public Renderer {
public:
    struct Batch {
        TextureId texture;
        std::vector<Vertex> vertices;  // expanded through the indices, three per triangle
        bool clipped;
        CCRect clip;
        TextureId target;
    };

    void setDesignSize(const CCSize& size) override { m_design = size; }
    CCSize getDesignSize() const override { return m_design; }
    int targetWidth() const override { return m_target ? 64 : 640; }
    int targetHeight() const override { return m_target ? 96 : 960; }
    TextureId createTexture(int, int, const std::uint8_t*) override { return ++m_lastTexture; }
    void destroyTexture(TextureId texture) override { destroyed.push_back(texture); }
    TextureId createRenderTarget(int, int) override {
        ++targetsCreated;
        return ++m_lastTexture;
    }
    void setRenderTarget(TextureId target) override {
        m_target = target;
        targetSwitches.push_back(target);
    }
    void clear(const ccColor4B&) override { ++clears; }
    void drawTriangles(TextureId texture, const Vertex* vertices, int, const int* indices, int indexCount,
                       BlendMode) override {
        Batch batch{texture, {}, !m_clips.empty(), m_clips.empty() ? CCRect() : m_clips.back(), m_target};
        for (int i = 0; i < indexCount; ++i) {
            batch.vertices.push_back(vertices[indices[i]]);
        }
        batches.push_back(batch);
    }
    void pushClip(const CCRect& rect) override {
        m_clips.push_back(m_clips.empty() ? rect : m_clips.back().intersection(rect));
        ++clipPushes;
    }
    void popClip() override { m_clips.pop_back(); }
    bool readPixels(std::vector<std::uint8_t>&, int&, int&) override { return false; }
    void present() override {}

    int clipDepth() const { return static_cast<int>(m_clips.size()); }

    std::vector<Batch> batches;
    std::vector<TextureId> targetSwitches;
    std::vector<TextureId> destroyed;
    int targetsCreated = 0;
    int clipPushes = 0;
    int clears = 0;

private:
    CCSize m_design = CCSize(640, 960);
    std::vector<CCRect> m_clips;
    TextureId m_lastTexture = 0;
    TextureId m_target = 0;
};

}  // namespace lirava::test
