#include "support/HeadlessFixture.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/nodes/CCScene.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/render/PngFile.h"
#include "engine/render/Renderer.h"

namespace lirava::test {

namespace {

PlatformWindow& sharedWindow() {
    // Kept until the process ends: textures made in one test may be cached into the next.
    static std::unique_ptr<PlatformWindow> window = [] {
        PlatformWindowConfig config;
        config.title = "tests";
        config.headless = true;
        std::string error;
        bool displayMissing = false;
        std::unique_ptr<PlatformWindow> made = PlatformWindow::open(config, error, displayMissing);
        if (!made) {
            std::fprintf(stderr, "headless window: %s\n", error.c_str());
            std::abort();
        }
        return made;
    }();
    return *window;
}

}  // namespace

ccColor4B Frame::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return ccc4(0, 0, 0, 0);
    }
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 4;
    return ccc4(rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]);
}

ccColor4B Frame::atDesign(float x, float y) const {
    const int px = static_cast<int>(std::floor(x * width / 640.0f));
    const int py = static_cast<int>(std::floor((960.0f - y) * height / 960.0f));
    return at(px, py);
}

::testing::AssertionResult colorNear(const ccColor4B& actual, const ccColor4B& expected, int tolerance) {
    const int d[4] = {actual.r - expected.r, actual.g - expected.g, actual.b - expected.b, actual.a - expected.a};
    for (int v : d) {
        if (std::abs(v) > tolerance) {
            return ::testing::AssertionFailure()
                   << "colour (" << int(actual.r) << ", " << int(actual.g) << ", " << int(actual.b) << ", "
                   << int(actual.a) << ") is not near (" << int(expected.r) << ", " << int(expected.g) << ", "
                   << int(expected.b) << ", " << int(expected.a) << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

Renderer& HeadlessFixture::renderer() {
    return sharedWindow().renderer();
}

PlatformWindow& HeadlessFixture::window() {
    return sharedWindow();
}

void HeadlessFixture::SetUp() {
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setDesignResolutionSize(640, 960, kResolutionExactFit);
    view->attachWindow(&sharedWindow());
    m_previousRenderer = Renderer::current();
    Renderer::setCurrent(&renderer());
    CCDirector* director = CCDirector::sharedDirector();
    director->setOpenGLView(view);
    director->setAnimationInterval(1.0 / 60.0);
}

void HeadlessFixture::TearDown() {
    CCDirector::purgeDirector();
    CCPoolManager::sharedPoolManager()->drainAll();
    // Tests outside the fixture expect no renderer unless they make one.
    Renderer::setCurrent(m_previousRenderer);
    CCEGLView::sharedOpenGLView()->attachWindow(nullptr);
    // Later tests (and objects made outside fixtures) expect a director to exist.
    CCDirector::sharedDirector();
}

void HeadlessFixture::runScene(CCScene* scene) {
    CCDirector::sharedDirector()->runWithScene(scene);
    stepFrames(1);
}

void HeadlessFixture::stepFrames(int frames) {
    CCDirector* director = CCDirector::sharedDirector();
    for (int i = 0; i < frames; ++i) {
        director->mainLoop(director->getAnimationInterval());
    }
}

const Frame& HeadlessFixture::capture() {
    m_frame = Frame();
    if (CCDirector::sharedDirector()->renderFrame()) {
        renderer().readPixels(m_frame.rgba, m_frame.width, m_frame.height);
    }
    return m_frame;
}

bool HeadlessFixture::saveCapture(const std::string& path) const {
    std::string error;
    return writePngFile(path, m_frame.rgba, m_frame.width, m_frame.height, error);
}

}  // namespace lirava::test
