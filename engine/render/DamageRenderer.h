#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/render/DrawList.h"
#include "engine/render/Renderer.h"

namespace lirava {

// Draws nothing: it writes the drawing that reaches it into a DrawList, so that a caller can tell
// whether a scene would draw the same picture as the one on show and, if not, where the two
// differ. Textures are still made (and freed) by the real renderer behind it, so that nodes that
// upload their pixels on their first draw keep working.
//
// A call's bounds are those of its vertices in design units, cut to the clip it meets; a clear
// covers everything. What the list cannot describe makes it unreliable (as FingerprintRenderer
// has it): drawing from a texture whose pixels can change, switching targets, reading pixels
// back, presenting or changing the design size.
class DamageRenderer : public Renderer {
public:
    explicit DamageRenderer(Renderer& real);

    const DrawList& drawList() const { return m_list; }
    DrawList takeDrawList() { return std::move(m_list); }

    void setDesignSize(const CCSize& designSize) override;
    CCSize getDesignSize() const override { return m_real.getDesignSize(); }
    int targetWidth() const override { return m_real.targetWidth(); }
    int targetHeight() const override { return m_real.targetHeight(); }

    TextureId createTexture(int width, int height, const std::uint8_t* rgba) override {
        return m_real.createTexture(width, height, rgba);
    }
    TextureId createOpaqueTexture(int width, int height, const std::uint8_t* rgb, int pitch) override {
        return m_real.createOpaqueTexture(width, height, rgb, pitch);
    }
    TextureId reserveTexture(int width, int height, bool opaque) override {
        return m_real.reserveTexture(width, height, opaque);
    }
    bool fillReservedTexture(TextureId texture, std::uint8_t* rgba) override {
        return m_real.fillReservedTexture(texture, rgba);
    }
    void destroyTexture(TextureId texture) override { m_real.destroyTexture(texture); }
    TextureId createRenderTarget(int pixelWidth, int pixelHeight) override {
        return m_real.createRenderTarget(pixelWidth, pixelHeight);
    }
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
    class Hash;

    Renderer& m_real;
    DrawList m_list;
    // Nested clips as given and as intersected; the hash of the clip state joins every call's.
    struct Clip {
        CCRect area;
        std::uint64_t hash;
    };
    std::vector<Clip> m_clips;
};

}  // namespace lirava
