#pragma once

#include <cstdint>
#include <vector>

#include "engine/render/Renderer.h"

namespace lirava::test {

// A renderer that draws nothing and makes no textures; it counts the frames presented.
class NullRenderer : public Renderer {
public:
    void setDesignSize(const CCSize& size) override { m_design = size; }
    CCSize getDesignSize() const override { return m_design; }
    int targetWidth() const override { return 640; }
    int targetHeight() const override { return 960; }
    TextureId createTexture(int, int, const std::uint8_t*) override { return 0; }
    void destroyTexture(TextureId) override {}
    TextureId createRenderTarget(int, int) override { return 0; }
    void setRenderTarget(TextureId) override {}
    void clear(const ccColor4B&) override {}
    void drawTriangles(TextureId, const Vertex*, int, const int*, int, BlendMode) override {}
    void pushClip(const CCRect&) override {}
    void popClip() override {}
    bool readPixels(std::vector<std::uint8_t>&, int&, int&) override { return false; }
    void present() override { ++presented; }

    int presented = 0;

private:
    CCSize m_design;
};

}  // namespace lirava::test
