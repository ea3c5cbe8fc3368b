#include "app/shell/AppDelegate.h"

#include "app/contents/TestController.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCString.h"
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
    // The window is named after the book; a book that gives no title keeps the program's name.
    const CCString* title = CCDictionary::createWithContentsOfFile("String.xml")->valueForKey("book_title");
    if (title && title->length() > 0) {
        view->setViewName(title->getCString());
    }

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
