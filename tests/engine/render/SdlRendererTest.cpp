#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/render/Renderer.h"
#include "engine/render/SdlRenderer.h"
#include "support/HeadlessFixture.h"

namespace lirava {
namespace {

using test::colorNear;

class SdlRendererTest : public test::HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        r().setRenderTarget(0);
        r().clear(ccc4(255, 255, 255, 255));
    }
    static Renderer& r() { return renderer(); }

    // Axis-aligned rectangle in design units.
    static void fill(const CCRect& rect, const ccColor4B& color, TextureId texture = 0,
                     BlendMode blend = BlendMode::Alpha) {
        const float x0 = rect.getMinX(), x1 = rect.getMaxX(), y0 = rect.getMinY(), y1 = rect.getMaxY();
        const Vertex v[4] = {
            {x0, y0, color, 0, 1}, {x1, y0, color, 1, 1}, {x0, y1, color, 0, 0}, {x1, y1, color, 1, 0}};
        r().drawQuad(texture, v, blend);
    }

    test::Frame read() {
        test::Frame frame;
        EXPECT_TRUE(r().readPixels(frame.rgba, frame.width, frame.height));
        return frame;
    }
};

const ccColor4B kWhite = {255, 255, 255, 255};
const ccColor4B kRed = {255, 0, 0, 255};
const ccColor4B kBlue = {0, 0, 255, 255};

TEST_F(SdlRendererTest, DesignCoordinatesHaveTheirOriginBottomLeft) {
    fill(CCRect(0, 0, 100, 50), kRed);
    const test::Frame frame = read();
    ASSERT_EQ(frame.width, 640);
    ASSERT_EQ(frame.height, 960);
    EXPECT_TRUE(colorNear(frame.at(50, 959), kRed));    // bottom rows of the image
    EXPECT_TRUE(colorNear(frame.at(50, 905), kWhite));  // above the 50 units
    EXPECT_TRUE(colorNear(frame.at(105, 950), kWhite));
}

TEST_F(SdlRendererTest, TexturesAreUprightAndVertexColoursBlendWithStraightAlpha) {
    // 2 x 2 texture, rows top to bottom: red, blue / white, transparent.
    const std::uint8_t pixels[16] = {255, 0, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0};
    const TextureId texture = r().createTexture(2, 2, pixels);
    ASSERT_NE(texture, 0u);
    r().clear(ccc4(0, 255, 0, 255));
    fill(CCRect(100, 100, 200, 200), kWhite, texture);
    // Half-transparent red over white.
    fill(CCRect(400, 400, 100, 100), ccc4(255, 0, 0, 128));
    test::Frame frame = read();
    EXPECT_TRUE(colorNear(frame.atDesign(140, 260), kRed, 8));                    // top-left texel
    EXPECT_TRUE(colorNear(frame.atDesign(260, 260), kBlue, 8));                   // top-right
    EXPECT_TRUE(colorNear(frame.atDesign(140, 140), kWhite, 8));                  // bottom-left
    EXPECT_TRUE(colorNear(frame.atDesign(260, 140), ccc4(0, 255, 0, 255), 8));    // transparent: green shows
    EXPECT_TRUE(colorNear(frame.atDesign(450, 450), ccc4(128, 127, 0, 255), 3));  // over the green
    r().destroyTexture(texture);
}

TEST_F(SdlRendererTest, TexturesTurnedAQuarterRoundOnAnUprightQuadKeepTheirTurn) {
    // Rotated atlas frames and sprites turned by 90 degrees draw upright quads whose texture
    // runs sideways; the renderer must not flatten them into a plain image copy.
    // 16 x 16 in quadrants, rows top to bottom: red, blue / white, transparent. (The software
    // rasteriser samples a 2 x 2 texture badly on single triangles, so the quadrants are bigger.)
    std::vector<std::uint8_t> pixels(16 * 16 * 4, 0);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const ccColor4B c = y < 8 ? (x < 8 ? kRed : kBlue) : (x < 8 ? kWhite : ccc4(0, 0, 0, 0));
            std::uint8_t* p = &pixels[static_cast<std::size_t>(y * 16 + x) * 4];
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
            p[3] = c.a;
        }
    }
    const TextureId texture = r().createTexture(16, 16, pixels.data());
    ASSERT_NE(texture, 0u);
    r().clear(ccc4(0, 255, 0, 255));
    const Vertex v[4] = {
        {100, 100, kWhite, 0, 0}, {300, 100, kWhite, 0, 1}, {100, 300, kWhite, 1, 0}, {300, 300, kWhite, 1, 1}};
    r().drawQuad(texture, v);
    test::Frame frame = read();
    EXPECT_TRUE(colorNear(frame.atDesign(140, 140), kRed, 8));                  // bottom-left: texel (0, 0)
    EXPECT_TRUE(colorNear(frame.atDesign(260, 140), kWhite, 8));                // bottom-right: texel (0, 1)
    EXPECT_TRUE(colorNear(frame.atDesign(140, 260), kBlue, 8));                 // top-left: texel (1, 0)
    EXPECT_TRUE(colorNear(frame.atDesign(260, 260), ccc4(0, 255, 0, 255), 8));  // top-right: transparent
    r().destroyTexture(texture);
}

TEST_F(SdlRendererTest, OpaqueTexturesAndReservedOnesDrawTheirTexelsExactly) {
    // 4 x 4 opaque texels of distinct colours: blended with straight alpha or copied, the frame
    // must show them unchanged (the renderer keeps opaque images in the frame's own format), and
    // multiplying a grey over them scales every channel down, p * g / 255.
    std::vector<std::uint8_t> pixels(4 * 4 * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = i % 4 == 3 ? 255 : static_cast<std::uint8_t>(17 * i % 256);
    }
    const TextureId opaque = r().createTexture(4, 4, pixels.data());
    // A reserved texture gets its pixels later and spends them.
    std::vector<std::uint8_t> spent = pixels;
    // The same texels as a decoder's RGB rows, with padding at each row's end.
    std::vector<std::uint8_t> rgb(4 * 14, 0xAB);
    for (std::size_t i = 0; i < 16; ++i) {
        std::copy_n(&pixels[i * 4], 3, &rgb[(i / 4) * 14 + (i % 4) * 3]);
    }
    const TextureId fromRows = r().createOpaqueTexture(4, 4, rgb.data(), 14);
    ASSERT_NE(fromRows, 0u);
    const TextureId reserved = r().reserveTexture(4, 4, true);
    ASSERT_NE(opaque, 0u);
    ASSERT_NE(reserved, 0u);
    EXPECT_TRUE(r().fillReservedTexture(reserved, spent.data()));
    EXPECT_FALSE(r().fillReservedTexture(reserved, spent.data()));  // filled once only
    EXPECT_FALSE(r().fillReservedTexture(opaque, pixels.data()));
    r().clear(ccc4(0, 255, 0, 255));
    fill(CCRect(0, 0, 4, 4), kWhite, opaque, BlendMode::Alpha);
    fill(CCRect(8, 0, 4, 4), kWhite, reserved, BlendMode::Alpha);
    fill(CCRect(16, 0, 4, 4), kWhite, opaque, BlendMode::None);
    fill(CCRect(16, 0, 4, 4), ccc4(128, 128, 128, 255), 0, BlendMode::Multiply);
    fill(CCRect(24, 0, 4, 4), kWhite, fromRows, BlendMode::Alpha);
    const test::Frame frame = read();
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const std::uint8_t* texel = &pixels[static_cast<std::size_t>(y * 4 + x) * 4];
            const ccColor4B expected = ccc4(texel[0], texel[1], texel[2], 255);
            const ccColor4B darker =
                ccc4(static_cast<std::uint8_t>(texel[0] * 128 / 255), static_cast<std::uint8_t>(texel[1] * 128 / 255),
                     static_cast<std::uint8_t>(texel[2] * 128 / 255), 255);
            EXPECT_TRUE(colorNear(frame.at(x, 956 + y), expected, 0)) << x << "," << y;
            EXPECT_TRUE(colorNear(frame.at(8 + x, 956 + y), expected, 0)) << x << "," << y;
            EXPECT_TRUE(colorNear(frame.at(16 + x, 956 + y), darker, 0)) << x << "," << y;
            EXPECT_TRUE(colorNear(frame.at(24 + x, 956 + y), expected, 0)) << x << "," << y;
        }
    }
    r().destroyTexture(opaque);
    r().destroyTexture(reserved);
    r().destroyTexture(fromRows);
}

TEST_F(SdlRendererTest, NestedClipsIntersectAndPoppingRestoresTheOuterOne) {
    r().pushClip(CCRect(0, 0, 320, 960));
    r().pushClip(CCRect(160, 480, 320, 480));  // overlaps the outer clip only on 160..320
    fill(CCRect(0, 0, 640, 960), kRed);
    r().popClip();
    fill(CCRect(0, 0, 640, 100), kBlue);  // outer clip only
    r().popClip();
    fill(CCRect(600, 900, 40, 60), kBlue);  // no clip
    const test::Frame frame = read();
    EXPECT_TRUE(colorNear(frame.atDesign(200, 700), kRed));
    EXPECT_TRUE(colorNear(frame.atDesign(100, 700), kWhite));  // outside the inner clip
    EXPECT_TRUE(colorNear(frame.atDesign(400, 700), kWhite));  // outside the outer clip
    EXPECT_TRUE(colorNear(frame.atDesign(200, 300), kWhite));
    EXPECT_TRUE(colorNear(frame.atDesign(100, 50), kBlue));
    EXPECT_TRUE(colorNear(frame.atDesign(400, 50), kWhite));
    EXPECT_TRUE(colorNear(frame.atDesign(620, 930), kBlue));
}

TEST_F(SdlRendererTest, EmptyClipDrawsNothingAndAdjacentClipsLeaveNoSeam) {
    r().pushClip(CCRect(100, 100, 300, 300));
    r().pushClip(CCRect(500, 500, 50, 50));  // no overlap with the outer clip
    fill(CCRect(0, 0, 640, 960), kRed);
    r().popClip();
    r().popClip();
    test::Frame frame = read();
    EXPECT_TRUE(colorNear(frame.atDesign(200, 200), kWhite));
    EXPECT_TRUE(colorNear(frame.atDesign(520, 520), kWhite));

    // Two clips meeting at a fractional edge cover every pixel column between them exactly once.
    r().clear(kWhite);
    for (const CCRect& half : {CCRect(0, 0, 213.3f, 960), CCRect(213.3f, 0, 426.7f, 960)}) {
        r().pushClip(half);
        fill(CCRect(0, 0, 640, 960), ccc4(0, 0, 0, 128));
        r().popClip();
    }
    frame = read();
    for (int x = 205; x < 222; ++x) {
        EXPECT_TRUE(colorNear(frame.at(x, 480), ccc4(127, 127, 127, 255), 2)) << "column " << x;
    }
}

TEST_F(SdlRendererTest, RenderTargetsMapTheDesignAreaAndKeepTheirOwnClips) {
    const TextureId target = r().createRenderTarget(64, 96);
    ASSERT_NE(target, 0u);
    r().pushClip(CCRect(0, 0, 320, 960));  // a clip on the frame
    r().setRenderTarget(target);
    EXPECT_EQ(r().targetWidth(), 64);
    EXPECT_EQ(r().targetHeight(), 96);
    r().clear(kBlue);
    fill(CCRect(320, 0, 320, 480), kRed);  // lower-right quarter, not clipped here
    test::Frame inTarget = read();
    EXPECT_EQ(inTarget.width, 64);
    EXPECT_TRUE(colorNear(inTarget.at(48, 72), kRed));
    EXPECT_TRUE(colorNear(inTarget.at(16, 72), kBlue));
    r().setRenderTarget(0);
    // Back on the frame the frame's clip holds again.
    fill(CCRect(0, 0, 640, 960), kWhite, target);
    r().popClip();
    const test::Frame frame = read();
    EXPECT_TRUE(colorNear(frame.atDesign(100, 100), kBlue, 8));
    EXPECT_TRUE(colorNear(frame.atDesign(500, 100), kWhite));  // clipped away on the frame
    // Made again at the same size, a target is the one given back, under a new handle and as
    // empty as a new one.
    r().destroyTexture(target);
    auto& sdl = dynamic_cast<SdlRenderer&>(r());
    EXPECT_EQ(sdl.spareTargetCount(), 1u);
    const TextureId again = r().createRenderTarget(64, 96);
    EXPECT_NE(again, target);
    EXPECT_EQ(sdl.spareTargetCount(), 0u);
    const TextureId fresh = r().createRenderTarget(64, 96);
    fill(CCRect(0, 0, 320, 960), kWhite, again);
    fill(CCRect(320, 0, 320, 960), kWhite, fresh);
    const test::Frame reused = read();
    EXPECT_TRUE(colorNear(reused.atDesign(100, 100), reused.atDesign(420, 100), 0));
    EXPECT_FALSE(colorNear(reused.atDesign(100, 100), kBlue, 8));
    r().destroyTexture(again);
    r().destroyTexture(fresh);
}

TEST_F(SdlRendererTest, BadInputDrawsNothing) {
    const Vertex v[3] = {{0, 0, kRed, 0, 0}, {640, 0, kRed, 1, 0}, {0, 960, kRed, 0, 1}};
    const int outOfRange[3] = {0, 1, 3};
    const int negative[3] = {0, -1, 2};
    const int good[3] = {0, 1, 2};
    r().drawTriangles(0, v, 3, outOfRange, 3, BlendMode::Alpha);
    r().drawTriangles(0, v, 3, negative, 3, BlendMode::Alpha);
    r().drawTriangles(0, v, 3, good, 2, BlendMode::Alpha);
    r().drawTriangles(0, nullptr, 3, good, 3, BlendMode::Alpha);
    r().drawTriangles(987654321, v, 3, good, 3, BlendMode::Alpha);  // no such texture
    EXPECT_EQ(r().createTexture(0, 5, nullptr), 0u);
    EXPECT_EQ(r().createRenderTarget(-1, 5), 0u);
    r().destroyTexture(424242);
    r().popClip();               // unbalanced pop is harmless
    r().setRenderTarget(31337);  // unknown target: the frame stays
    const test::Frame frame = read();
    EXPECT_EQ(frame.width, 640);
    EXPECT_TRUE(colorNear(frame.atDesign(100, 100), kWhite));
}

TEST_F(SdlRendererTest, BlendModesOverWhite) {
    fill(CCRect(0, 0, 100, 100), ccc4(255, 0, 0, 128), 0, BlendMode::Alpha);
    fill(CCRect(100, 0, 100, 100), ccc4(255, 0, 0, 128), 0, BlendMode::None);
    r().clear(kWhite);
    fill(CCRect(0, 0, 100, 100), ccc4(255, 0, 0, 128), 0, BlendMode::Alpha);
    fill(CCRect(100, 0, 100, 100), ccc4(100, 0, 0, 255), 0, BlendMode::None);
    fill(CCRect(200, 0, 100, 100), ccc4(0, 0, 0, 255), 0, BlendMode::Additive);
    fill(CCRect(300, 0, 100, 100), ccc4(100, 0, 0, 255), 0, BlendMode::Additive);
    fill(CCRect(500, 0, 100, 100), ccc4(0, 0, 0, 255), 0, BlendMode::Alpha);
    fill(CCRect(500, 0, 100, 100), ccc4(0, 60, 0, 255), 0, BlendMode::Additive);
    fill(CCRect(400, 0, 100, 100), ccc4(100, 0, 0, 255), 0, BlendMode::Premultiplied);
    const test::Frame frame = read();
    EXPECT_TRUE(colorNear(frame.atDesign(50, 50), ccc4(255, 127, 127, 255), 2));
    EXPECT_TRUE(colorNear(frame.atDesign(150, 50), ccc4(100, 0, 0, 255), 1));
    EXPECT_TRUE(colorNear(frame.atDesign(250, 50), kWhite, 1));
    EXPECT_TRUE(colorNear(frame.atDesign(350, 50), kWhite, 1));
    EXPECT_TRUE(colorNear(frame.atDesign(550, 50), ccc4(0, 60, 0, 255), 1));
    // Premultiplied colour with full alpha looks the same whichever way the renderer blends it.
    EXPECT_TRUE(colorNear(frame.atDesign(450, 50), ccc4(100, 0, 0, 255), 1));
}

}  // namespace
}  // namespace lirava
