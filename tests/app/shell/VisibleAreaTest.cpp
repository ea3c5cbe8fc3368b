#include <gtest/gtest.h>

#include "app/shell/AppDelegate.h"
#include "app/shell/VisibleArea.h"
#include "engine/platform/CCEGLView.h"

namespace lirava::test {
namespace {

TEST(VisibleAreaTest, GivesTheEdgeMiddlesOfTheExactFitArea) {
    CCEGLView::sharedOpenGLView()->setDesignResolutionSize(640, 960, kResolutionExactFit);
    EXPECT_EQ(VisibleArea::rect().origin, CCPointZero);
    EXPECT_EQ(VisibleArea::rect().size, CCSize(640, 960));
    EXPECT_EQ(VisibleArea::left(), CCPoint(0, 480));
    EXPECT_EQ(VisibleArea::right(), CCPoint(640, 480));
    EXPECT_EQ(VisibleArea::top(), CCPoint(320, 960));
    EXPECT_EQ(VisibleArea::bottom(), CCPoint(320, 0));
    EXPECT_EQ(VisibleArea::center(), CCPoint(320, 480));

    // Read once: a later change of the view does not move what is placed afterwards.
    CCEGLView::sharedOpenGLView()->setDesignResolutionSize(1024, 768, kResolutionExactFit);
    CCEGLView::sharedOpenGLView()->setFrameSize(300, 200);
    EXPECT_EQ(VisibleArea::center(), CCPoint(320, 480));
    EXPECT_EQ(VisibleArea::rect().size, CCSize(640, 960));
    CCEGLView::sharedOpenGLView()->setDesignResolutionSize(640, 960, kResolutionExactFit);
    CCEGLView::sharedOpenGLView()->setFrameSize(640, 960);
}

TEST(WindowSizeTest, FollowsTheUsableScreenHeightOnly) {
    const CCSize frame = AppDelegate::frameSizeForScreenHeight(1000);
    EXPECT_EQ(frame.width, static_cast<float>(1000 / 1.4));
    EXPECT_NEAR(frame.width, 714.2857f, 1e-4f);
    EXPECT_EQ(frame.height, 940.0f);
}

}  // namespace
}  // namespace lirava::test
