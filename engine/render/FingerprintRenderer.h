#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/render/Renderer.h"

namespace lirava {

// Draws nothing: it sums up the drawing that reaches it into a 64-bit fingerprint, so that a
// caller can tell whether a scene would draw the same picture as before without drawing it.
// Textures are still made (and freed) by the real renderer behind it, so that nodes that upload
// their pixels on their first draw keep working.
//
// Two walks that send the same clears, triangles, clips and fixed textures (in the same order)
// get the same fingerprint. What it cannot vouch for makes it unreliable(): drawing from a texture
// whose pixels can change (a render target), switching targets, reading pixels back, presenting
// or changing the design size.
class FingerprintRenderer : public Renderer {
public:
    explicit FingerprintRenderer(Renderer& real);

    std::uint64_t fingerprint() const { return m_hash; }
    bool unreliable() const { return m_unreliable; }

    void setDesignSize(const CCSize& designSize) override;
    CCSize getDesignSize() const override { return m_real.getDesignSize(); }
    int targetWidth() const override { return m_real.targetWidth(); }
    int targetHeight() const override { return m_real.targetHeight(); }

    TextureId createTexture(int width, int height, const std::uint8_t* rgba) override;
    TextureId createOpaqueTexture(int width, int height, const std::uint8_t* rgb, int pitch) override {
        return m_real.createOpaqueTexture(width, height, rgb, pitch);
    }
    TextureId reserveTexture(int width, int height, bool opaque) override {
        return m_real.reserveTexture(width, height, opaque);
    }
    bool fillReservedTexture(TextureId texture, std::uint8_t* rgba) override {
        return m_real.fillReservedTexture(texture, rgba);
    }
    void destroyTexture(TextureId texture) override;
    TextureId createRenderTarget(int pixelWidth, int pixelHeight) override;
    void setRenderTarget(TextureId target) override;
    bool isTextureFixed(TextureId texture) const override { return m_real.isTextureFixed(texture); }
    Renderer& textureHolder() override { return m_real.textureHolder(); }

    void clear(const ccColor4B& color) override;
    void drawTriangles(TextureId texture, const Vertex* vertices, int vertexCount, const int* indices, int indexCount,
                       BlendMode blend) override;
    void pushClip(const CCRect& designRect) override;
    void popClip() override;

    bool readPixels(std::vector<std::uint8_t>& rgba, int& width, int& height) override;
    void present() override;

private:
    void mix(const void* bytes, std::size_t size);
    void mixWord(std::uint64_t word);

    Renderer& m_real;
    std::uint64_t m_hash = 0xcbf29ce484222325ull;
    bool m_unreliable = false;
};

}  // namespace lirava
