#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>

#include "engine/render/FingerprintRenderer.h"
#include "support/RecordingRenderer.h"

namespace lirava {
namespace {

// A recording renderer that says which of its textures are fixed.
class TargetsKnowingRenderer : public test::RecordingRenderer {
public:
    bool isTextureFixed(TextureId texture) const override { return fixed.count(texture) > 0; }
    std::set<TextureId> fixed;
};

const Vertex kQuad[4] = {
    {0, 0, {255, 255, 255, 255}, 0, 1},
    {10, 0, {255, 255, 255, 255}, 1, 1},
    {0, 10, {255, 255, 255, 255}, 0, 0},
    {10, 10, {255, 255, 255, 255}, 1, 0},
};

class FingerprintRendererTest : public ::testing::Test {
protected:
    // The fingerprint of one walk, and whether it could be trusted.
    std::uint64_t printOf(const std::function<void(Renderer&)>& walk, bool* unreliable = nullptr) {
        FingerprintRenderer print(real);
        walk(print);
        if (unreliable) {
            *unreliable = print.unreliable();
        }
        return print.fingerprint();
    }

    TargetsKnowingRenderer real;
};

TEST_F(FingerprintRendererTest, TheSameDrawingGivesTheSamePrintAndAnyChangeAnother) {
    real.fixed.insert(7);
    auto page = [](ccColor4B tint, float x, TextureId texture, bool clipped) {
        return [=](Renderer& r) {
            r.clear(ccc4(0, 0, 0, 255));
            Vertex quad[4];
            std::copy(kQuad, kQuad + 4, quad);
            quad[1].x = x;
            quad[3].color = tint;
            if (clipped) {
                r.pushClip(CCRect(0, 0, 5, 5));
            }
            r.drawQuad(texture, quad);
            if (clipped) {
                r.popClip();
            }
        };
    };
    const ccColor4B white = ccc4(255, 255, 255, 255);
    const std::uint64_t base = printOf(page(white, 10, 7, false));
    EXPECT_EQ(printOf(page(white, 10, 7, false)), base);
    EXPECT_NE(printOf(page(ccc4(255, 255, 254, 255), 10, 7, false)), base);
    EXPECT_NE(printOf(page(white, 10.5f, 7, false)), base);
    EXPECT_NE(printOf(page(white, 10, 0, false)), base);
    EXPECT_NE(printOf(page(white, 10, 7, true)), base);
    // Nothing drawn at all is a picture of its own, and so is the order of the calls.
    EXPECT_NE(printOf([](Renderer&) {}), base);
    const auto clearThenClip = [](Renderer& r) {
        r.clear(ccc4(1, 2, 3, 4));
        r.pushClip(CCRect(0, 0, 1, 1));
        r.popClip();
    };
    const auto clipThenClear = [](Renderer& r) {
        r.pushClip(CCRect(0, 0, 1, 1));
        r.popClip();
        r.clear(ccc4(1, 2, 3, 4));
    };
    EXPECT_NE(printOf(clearThenClip), printOf(clipThenClear));
}

TEST_F(FingerprintRendererTest, WhatItCannotVouchForMakesItUnreliable) {
    real.fixed.insert(7);
    bool unreliable = false;
    printOf([](Renderer& r) { r.drawQuad(7, kQuad); }, &unreliable);
    EXPECT_FALSE(unreliable);
    printOf([](Renderer& r) { r.drawQuad(0, kQuad); }, &unreliable);
    EXPECT_FALSE(unreliable);  // plain coloured triangles
    // A texture whose pixels may change (a render target, or one the renderer cannot vouch for).
    printOf([](Renderer& r) { r.drawQuad(8, kQuad); }, &unreliable);
    EXPECT_TRUE(unreliable);
    printOf([](Renderer& r) { r.setRenderTarget(0); }, &unreliable);
    EXPECT_TRUE(unreliable);
    printOf([](Renderer& r) { r.present(); }, &unreliable);
    EXPECT_TRUE(unreliable);
    printOf([](Renderer& r) { r.setDesignSize(CCSize(1, 1)); }, &unreliable);
    EXPECT_TRUE(unreliable);
}

TEST_F(FingerprintRendererTest, TexturesAreMadeAndFreedByTheRealRendererAndNothingIsDrawn) {
    const std::uint8_t pixel[4] = {1, 2, 3, 4};
    TextureId made = 0;
    printOf([&](Renderer& r) {
        made = r.createTexture(1, 1, pixel);
        r.drawQuad(made, kQuad);
    });
    EXPECT_NE(made, 0u);
    EXPECT_EQ(real.textures.count(made), 1u);
    EXPECT_TRUE(real.calls.empty());
    printOf([&](Renderer& r) { r.destroyTexture(made); });
    EXPECT_EQ(real.textures.count(made), 0u);
}

}  // namespace
}  // namespace lirava
