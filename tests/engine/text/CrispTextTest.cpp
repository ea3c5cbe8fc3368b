#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/base/CCAffineTransform.h"
#include "engine/nodes/CCLayerColor.h"
#include "engine/nodes/CCScene.h"
#include "engine/platform/CCEGLView.h"
#include "engine/render/Renderer.h"
#include "engine/text/CCLabelTTF.h"
#include "support/HeadlessFixture.h"

namespace lirava {
namespace {

// White text on the home screen's green, drawn by the software renderer at the window size and
// at twice it.
class CrispText : public test::HeadlessFixture {
protected:
    static constexpr std::uint8_t kGreen = 6;  // the red channel of the background

    void TearDown() override {
        CCEGLView::sharedOpenGLView()->setFrameSize(640, 960);
        HeadlessFixture::TearDown();
    }

    // Soft edge pixels (partly covered) per solid text pixel, inside the design rectangle
    // [left, right] x [bottom, top] of a frame `scale` pixels per design unit.
    static double softness(const std::vector<std::uint8_t>& rgba, int scale, int left, int bottom, int right, int top) {
        const int width = 640 * scale;
        int soft = 0;
        int solid = 0;
        for (int y = (960 - top) * scale; y < (960 - bottom) * scale; ++y) {
            for (int x = left * scale; x < right * scale; ++x) {
                const double cover = (rgba[(static_cast<std::size_t>(y) * width + x) * 4] - kGreen) / (255.0 - kGreen);
                solid += cover >= 0.95 ? 1 : 0;
                soft += cover > 0.05 && cover < 0.95 ? 1 : 0;
            }
        }
        return solid > 0 ? static_cast<double>(soft) / solid : 1e9;
    }
};

TEST_F(CrispText, TextIsAtLeastAsSharpAtTwiceTheWindowSize) {
    CCScene* scene = CCScene::create();
    scene->addChild(CCLayerColor::create(ccc4(kGreen, 210, 26, 255)));
    CCLabelTTF* label = CCLabelTTF::create("Unit 1", "Arial", 60);
    label->setPosition(CCPoint(320, 860));
    scene->addChild(label);
    runScene(scene);
    const test::Frame& frame = capture();
    ASSERT_EQ(frame.width, 640);
    const double atWindowSize = softness(frame.rgba, 1, 220, 820, 420, 900);

    // The window grows: the view says so, and the frame is drawn into a target of its size.
    CCEGLView::sharedOpenGLView()->setFrameSize(1280, 1920);
    Renderer& drawing = renderer();
    const TextureId target = drawing.createRenderTarget(1280, 1920);
    ASSERT_NE(target, 0u);
    drawing.setRenderTarget(target);
    drawing.clear(ccc4(0, 0, 0, 255));
    scene->visit(drawing, CCAffineTransformIdentity);
    std::vector<std::uint8_t> large;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(drawing.readPixels(large, width, height));
    drawing.setRenderTarget(0);
    drawing.destroyTexture(target);
    ASSERT_EQ(width, 1280);

    const double atTwice = softness(large, 2, 220, 820, 420, 900);
    EXPECT_GT(atWindowSize, 0.1);
    EXPECT_LE(atTwice, atWindowSize) << "soft edge pixels per solid pixel: " << atWindowSize << " at 640 x 960, "
                                     << atTwice << " at 1280 x 1920";
}

}  // namespace
}  // namespace lirava
