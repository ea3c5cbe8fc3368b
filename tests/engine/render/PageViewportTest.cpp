#include <gtest/gtest.h>

#include "engine/platform/CCEGLView.h"
#include "engine/render/PageViewport.h"

namespace lirava {
namespace {

const CCSize kDesign(640, 960);

TEST(PageViewport, LetterboxKeepsTheProportionsInWholePixelsAndCentresThePage) {
    // A 1280 x 1024 screen: the height fits, 682.7 pixels of width round to 683, the 597 left
    // over split 298 and 299.
    PageViewport page = PageViewport::fit(kDesign, 1280, 1024, true);
    EXPECT_EQ(page.width, 683);
    EXPECT_EQ(page.height, 1024);
    EXPECT_EQ(page.barLeft(), 298);
    EXPECT_EQ(page.barRight(), 299);
    EXPECT_EQ(page.barTop() + page.barBottom(), 0);
    EXPECT_FLOAT_EQ(page.scale, 1024.0f / 960.0f);
    EXPECT_FALSE(page.containsPixel(297.5f, 500));
    EXPECT_TRUE(page.containsPixel(298, 500));
    EXPECT_FALSE(page.containsPixel(981, 500));
    const CCPoint corner = page.pixelToDesign(298, 1024);
    EXPECT_NEAR(corner.x, 0, 1e-3);
    EXPECT_NEAR(corner.y, 0, 1e-3);
    const CCPoint back = page.designToPixel(320, 480);
    EXPECT_NEAR(back.x, 298 + 683 / 2.0, 1e-3);
    EXPECT_NEAR(back.y, 512, 1e-3);

    // Too wide a page for the area: bars above and below.
    page = PageViewport::fit(kDesign, 400, 1000, true);
    EXPECT_EQ(page.width, 400);
    EXPECT_EQ(page.height, 600);
    EXPECT_EQ(page.barTop(), 200);
    EXPECT_EQ(page.barBottom(), 200);
    // Exactly the design's proportions, and degenerate areas: no bars, never an empty page.
    page = PageViewport::fit(kDesign, 320, 480, true);
    EXPECT_EQ(page.barLeft() + page.barTop() + page.barRight() + page.barBottom(), 0);
    page = PageViewport::fit(kDesign, 0, -5, true);
    EXPECT_EQ(page.width, 1);
    EXPECT_EQ(page.height, 1);
}

TEST(PageViewport, ExactFitStretchesOverTheWholeAreaAndGivesTheLargerScale) {
    const PageViewport page = PageViewport::fit(kDesign, 731, 963, false);
    EXPECT_EQ(page.width, 731);
    EXPECT_EQ(page.height, 963);
    EXPECT_EQ(page.x + page.y, 0);
    EXPECT_FLOAT_EQ(page.scale, 731.0f / 640.0f);
}

TEST(PageViewport, TheViewLetterboxesOnceTheWindowChangesSize) {
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setDesignResolutionSize(640, 960, kResolutionExactFit);
    view->attachWindow(nullptr);
    view->setFrameSize(480, 480);  // the program's own choice of size: still exact fit
    EXPECT_FALSE(view->isLetterboxed());
    EXPECT_FLOAT_EQ(view->getPixelsPerDesignUnit(), 0.75f);  // the larger of 0.75 and 0.5
    view->windowResized(480, 480);                           // a report of the size it has
    EXPECT_FALSE(view->isLetterboxed());

    view->windowResized(960, 480);  // the reader widens the window
    EXPECT_TRUE(view->isLetterboxed());
    EXPECT_FLOAT_EQ(view->getPixelsPerDesignUnit(), 0.5f);
    EXPECT_FLOAT_EQ(view->getScaleX(), 0.5f);
    EXPECT_FLOAT_EQ(view->getScaleY(), 0.5f);
    // The page is 320 x 480 from x = 320 on; the bars reach nothing.
    EXPECT_EQ(view->convertFrameToDesign(320, 480), CCPoint(0, 0));
    EXPECT_EQ(view->convertDesignToFrame(CCPoint(640, 960)), CCPoint(640, 0));
    EXPECT_TRUE(view->isFramePointOnPage(320, 0));
    EXPECT_FALSE(view->isFramePointOnPage(319, 240));
    EXPECT_FALSE(view->isFramePointOnPage(640, 240));
    EXPECT_EQ(view->getVisibleSize(), CCSize(640, 960));

    // A window of its own starts by exact fit again.
    view->attachWindow(nullptr);
    EXPECT_FALSE(view->isLetterboxed());
    view->setFrameSize(640, 960);
}

}  // namespace
}  // namespace lirava
