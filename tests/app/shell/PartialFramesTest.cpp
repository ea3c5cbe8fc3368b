#include <cstdlib>
#include <string>
#include <vector>

#include "app/contents/TestController.h"
#include "app/reader/ReaderFixture.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/KeyInput.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/render/PngFile.h"
#include "engine/render/SdlRenderer.h"

namespace lirava::test {
namespace {

// The window's resting frames draw and show only what changed, on the frame kept from the last
// one. Every such frame must hold exactly the pixels of the same frame drawn whole.
class PartialFramesTest : public ReaderFixture {
protected:
    void TearDown() override {
        window().resize(640, 960);
        ReaderFixture::TearDown();
    }

    // Runs resting frames as the window does, comparing each frame on show with a whole redraw.
    void restingFrames(int frames, const std::string& what) {
        CCDirector* director = CCDirector::sharedDirector();
        auto& sdl = static_cast<SdlRenderer&>(renderer());
        Frame shown;
        for (int i = 0; i < frames && !HasFatalFailure(); ++i) {
            const std::size_t before = sdl.partialFrames();
            // The window draws its first frame after a change of size whole.
            director->drawSceneWhenChanged(director->getAnimationInterval(), m_resized);
            m_resized = false;
            CCPoolManager::sharedPoolManager()->pop();
            m_partial += sdl.partialFrames() - before;
            ASSERT_TRUE(renderer().readPixels(shown.rgba, shown.width, shown.height));
            const Frame& whole = capture();
            ASSERT_EQ(shown.width, whole.width);
            ASSERT_EQ(shown.height, whole.height);
            if (shown.rgba != whole.rgba) {
                std::size_t at = 0;
                while (shown.rgba[at] == whole.rgba[at]) {
                    ++at;
                }
                const int pixel = static_cast<int>(at / 4);
                if (const char* dump = std::getenv("LIRAVA_PARTIAL_DUMP")) {
                    saveCapture(std::string(dump) + "-whole.png");
                    std::string error;
                    writePngFile(std::string(dump) + "-shown.png", shown.rgba, shown.width, shown.height, error);
                }
                FAIL() << what << ", frame " << i << ": pixel (" << pixel % whole.width << ", " << pixel / whole.width
                       << ") differs from a whole redraw";
            }
        }
    }

    void touch(float x, float y) {
        m_touches.press(CCPoint(x, y));
        restingFrames(1, "press");
        m_touches.release(CCPoint(x, y));
    }

    TouchInput m_touches;
    std::size_t m_partial = 0;
    bool m_resized = false;
};

TEST_F(PartialFramesTest, AGlideAPageTurnAndNarrationDrawnInPartEqualWholeRedraws) {
    // The exact-fit window the program opens, whose scale is no whole number, and a letterboxed
    // one after the reader resized it.
    for (const auto& size : std::vector<std::pair<int, int>>{{731, 963}, {600, 700}}) {
        SCOPED_TRACE(std::to_string(size.first) + " x " + std::to_string(size.second));
        window().resize(size.first, size.second);
        CCEGLView::sharedOpenGLView()->windowResized(size.first, size.second);
        m_resized = true;
        CCDirector::sharedDirector()->replaceScene(TestController::createScene());
        m_partial = 0;
        restingFrames(140, "home screen glide");
        EXPECT_GT(m_partial, 100u);  // the glide is drawn in part, not whole

        openPage(5);
        restingFrames(5, "page 5");
        touch(320, 885);  // the first sentence: narration, caption and lit words
        restingFrames(90, "narration");
        dispatchKeyPress("Right", false);
        restingFrames(1, "key");
        dispatchKeyRelease("Right");
        restingFrames(60, "page turn");
        EXPECT_EQ(book::currentPage, 6);
    }
}

}  // namespace
}  // namespace lirava::test
