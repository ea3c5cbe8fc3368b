#include "tools/check/HeadlessEngine.h"

#include <sys/stat.h>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"
#include "gui/action/ActionManager.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/UIToolbox.h"

namespace lirava::check {

bool setUpHeadlessEngine(const std::string& resourceRoot) {
    struct stat info {};
    if (stat(resourceRoot.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return false;
    }
    CCFileUtils::sharedFileUtils()->setResourceRoot(resourceRoot);
    CCEGLView::sharedOpenGLView()->setDesignResolutionSize(640.0f, 960.0f, kResolutionExactFit);
    CCDirector::sharedDirector();
    return true;
}

void tearDownHeadlessEngine() {
    DictionaryAccessor::purge();
    UIToolbox::purgeToolbox();
    ActionManager::destroyInstance();
    CCPoolManager::sharedPoolManager()->drainAll();
}

std::string defaultResourceRoot() {
    return LIRAVA_BOOK_DIR;
}

}  // namespace lirava::check
