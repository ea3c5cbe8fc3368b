#include "app/shell/AppDelegate.h"

#include "app/contents/TestController.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"

namespace lirava {

CCSize AppDelegate::frameSizeForScreenHeight(double usableHeight) {
    return CCSize(static_cast<float>(usableHeight / 1.4), static_cast<float>(usableHeight * 0.94));
}

bool AppDelegate::applicationDidFinishLaunching() {
    CCDirector* director = CCDirector::sharedDirector();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    director->setOpenGLView(view);
    // Every resource name stays relative to the resource root; no search paths are added.
    CCFileUtils::sharedFileUtils();
    view->setDesignResolutionSize(kDesignWidth, kDesignHeight, kResolutionExactFit);
    director->setAnimationInterval(kFrameInterval);

    director->runWithScene(TestController::createScene());
    return true;
}

void AppDelegate::applicationDidEnterBackground() {
    CCDirector::sharedDirector()->stopAnimation();
}

void AppDelegate::applicationWillEnterForeground() {
    CCDirector::sharedDirector()->startAnimation();
}

}  // namespace lirava
