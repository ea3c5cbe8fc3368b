#include <gtest/gtest.h>

#include "engine/platform/CCEGLView.h"
#include "engine/render/ExactFit.h"

namespace lirava {
namespace {

TEST(ExactFit, StretchesEachAxisOnItsOwnAndFlipsY) {
    // The program's window for a usable height of 1000: 714.2857 x 940.
    const ExactFit fit{CCSize(640, 960), 1000.0f / 1.4f, 940.0f};
    EXPECT_EQ(fit.designToPixel(0, 0), CCPoint(0, 940));
    EXPECT_EQ(fit.designToPixel(640, 960), CCPoint(fit.pixelWidth, 0));
    const CCPoint centre = fit.designToPixel(320, 480);
    EXPECT_FLOAT_EQ(centre.x, fit.pixelWidth / 2);
    EXPECT_FLOAT_EQ(centre.y, 470.0f);
    for (const CCPoint& p : {CCPoint(0, 0), CCPoint(123.5f, 777.25f), CCPoint(640, 960), CCPoint(-20, 1000)}) {
        const CCPoint px = fit.designToPixel(p.x, p.y);
        const CCPoint back = fit.pixelToDesign(px.x, px.y);
        EXPECT_NEAR(back.x, p.x, 1e-3);
        EXPECT_NEAR(back.y, p.y, 1e-3);
    }
}

TEST(ExactFit, AdjacentRectanglesTileThePixelsWithoutGapsOrOverlap) {
    const ExactFit fit{CCSize(640, 960), 333.0f, 517.0f};
    // Columns of uneven width across the design width, rows across the height.
    const float xs[] = {0.0f, 13.7f, 100.3f, 333.3f, 401.9f, 640.0f};
    int expectedLeft = 0;
    for (int i = 0; i + 1 < 6; ++i) {
        int left, top, width, height;
        fit.designRectToPixels(CCRect(xs[i], 0, xs[i + 1] - xs[i], 960), left, top, width, height);
        EXPECT_EQ(left, expectedLeft);
        EXPECT_EQ(top, 0);
        EXPECT_EQ(height, 517);
        expectedLeft = left + width;
    }
    EXPECT_EQ(expectedLeft, 333);

    const float ys[] = {0.0f, 211.1f, 480.0f, 959.5f, 960.0f};
    int expectedBottom = 517;
    for (int i = 0; i + 1 < 5; ++i) {
        int left, top, width, height;
        fit.designRectToPixels(CCRect(0, ys[i], 640, ys[i + 1] - ys[i]), left, top, width, height);
        EXPECT_EQ(top + height, expectedBottom);
        expectedBottom = top;
    }
    EXPECT_EQ(expectedBottom, 0);
}

TEST(ExactFit, DegenerateRectanglesGiveNoPixelsInsteadOfNonsense) {
    const ExactFit fit{CCSize(640, 960), 640.0f, 960.0f};
    int left, top, width, height;
    fit.designRectToPixels(CCRect(10, 10, -5, 20), left, top, width, height);  // a negative width still spans 5..10
    EXPECT_EQ(left, 5);
    EXPECT_EQ(width, 5);
    fit.designRectToPixels(CCRect(10, 10, 0, 0), left, top, width, height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    fit.designRectToPixels(CCRect(0, 0, 1e30f, 1e30f), left, top, width, height);
    EXPECT_GE(width, 640);
    EXPECT_GE(height, 960);
}

TEST(ExactFit, ViewMapsFramePixelsToDesignPoints) {
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    const CCSize oldFrame = view->getFrameSize();
    view->setDesignResolutionSize(640, 960, kResolutionExactFit);
    view->setFrameSize(320, 480);
    EXPECT_EQ(view->convertFrameToDesign(0, 0), CCPoint(0, 960));
    EXPECT_EQ(view->convertFrameToDesign(160, 240), CCPoint(320, 480));
    EXPECT_EQ(view->convertDesignToFrame(CCPoint(640, 0)), CCPoint(320, 480));
    EXPECT_EQ(view->getVisibleOrigin(), CCPointZero);
    EXPECT_EQ(view->getVisibleSize(), CCSize(640, 960));
    view->setFrameSize(0, -3);  // refused
    EXPECT_EQ(view->getFrameSize(), CCSize(320, 480));
    view->setFrameSize(oldFrame.width, oldFrame.height);
}

}  // namespace
}  // namespace lirava
