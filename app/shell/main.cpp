// Temporary program entry: opens the "Lirava" window on a plain scene until the home screen
// lands. It already takes the real launch options, so headless scripted runs work end to end.

#include <string>
#include <vector>

#include "engine/nodes/CCLayer.h"
#include "engine/nodes/CCScene.h"
#include "engine/platform/CCApplication.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/Platform.h"
#include "engine/render/Renderer.h"

#ifndef LIRAVA_SOURCE_BOOK
#define LIRAVA_SOURCE_BOOK ""
#endif

namespace {

using namespace lirava;

// A plain coloured backdrop over the whole design area.
class Backdrop : public CCLayer {
public:
    static Backdrop* create(const ccColor4B& color) {
        Backdrop* layer = new Backdrop();
        layer->m_color = color;
        if (layer->init()) {
            layer->autorelease();
            return layer;
        }
        delete layer;
        return nullptr;
    }

    void draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) override {
        const CCSize size = getContentSize();
        const CCPoint corners[4] = {CCPointApplyAffineTransform(CCPoint(0, 0), nodeToWorld),
                                    CCPointApplyAffineTransform(CCPoint(size.width, 0), nodeToWorld),
                                    CCPointApplyAffineTransform(CCPoint(0, size.height), nodeToWorld),
                                    CCPointApplyAffineTransform(CCPoint(size.width, size.height), nodeToWorld)};
        Vertex vertices[4];
        for (int i = 0; i < 4; ++i) {
            vertices[i] = Vertex{corners[i].x, corners[i].y, m_color, 0.0f, 0.0f};
        }
        renderer.drawQuad(0, vertices);
    }

private:
    ccColor4B m_color = {0, 0, 0, 255};
};

class AppDelegate : public CCApplication {
public:
    bool applicationDidFinishLaunching() override {
        CCDirector* director = CCDirector::sharedDirector();
        director->setOpenGLView(CCEGLView::sharedOpenGLView());
        CCFileUtils::sharedFileUtils();
        CCEGLView::sharedOpenGLView()->setDesignResolutionSize(640, 960, kResolutionExactFit);
        director->setAnimationInterval(1.0 / 60);

        CCScene* scene = CCScene::create();
        scene->addChild(Backdrop::create(ccc4(245, 238, 220, 255)));
        director->runWithScene(scene);
        return true;
    }

    void applicationDidEnterBackground() override { CCDirector::sharedDirector()->stopAnimation(); }
    void applicationWillEnterForeground() override { CCDirector::sharedDirector()->startAnimation(); }
};

}  // namespace

int main(int argc, char** argv) {
    AppDelegate app;
    LaunchOptions options;
    int status = 0;
    const std::vector<std::string> bundled = {LIRAVA_SOURCE_BOOK,
                                              platformExecutableDirectory() + "/../share/lirava/book"};
    if (!parseLaunchOptions(argc, argv, bundled, options, status)) {
        return status;
    }
    app.setLaunchOptions(options);

    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setViewName("Lirava");
    const double a = platformUsableScreenHeight();
    view->setFrameSize(static_cast<float>(a / 1.4), static_cast<float>(a * 0.94));
    return CCApplication::sharedApplication()->run();
}
