#include "tools/check/HeadlessEngine.h"

#include <sys/stat.h>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/Platform.h"
#include "engine/render/FontRasterizer.h"
#include "gui/action/ActionManager.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/UIToolbox.h"

namespace lirava::check {

int setUpHeadlessEngine(const std::string& resourceRoot, std::ostream& err) {
    struct stat info {};
    if (stat(resourceRoot.c_str(), &info) != 0 || !(S_ISDIR(info.st_mode) || S_ISREG(info.st_mode))) {
        err << "lirava-check: no resource folder " << resourceRoot << std::endl;
        return 2;
    }
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    std::string error;
    if (!files->openResourceRoot(resourceRoot, error) || !files->verifyResources(error)) {
        err << "lirava-check: " << error << std::endl;
        return 1;
    }
    CCEGLView::sharedOpenGLView()->setDesignResolutionSize(640.0f, 960.0f, kResolutionExactFit);
    CCDirector::sharedDirector();
    return 0;
}

void tearDownHeadlessEngine() {
    DictionaryAccessor::purge();
    UIToolbox::purgeToolbox();
    ActionManager::destroyInstance();
    CCPoolManager::sharedPoolManager()->drainAll();
    // The font matcher's coverage tables hold their blocks by offset, not by pointer, so a leak
    // checker counts them lost unless they are given back before the program ends.
    FontRasterizer::purgeShared();
}

std::string defaultResourceRoot() {
    // Installed, the book sits beside the programs' folder; in the build tree it is the source's.
    const std::string programs = platformExecutableDirectory();
    const std::size_t slash = programs.rfind('/');
    if (slash != std::string::npos && slash > 0) {
        const std::string installed = programs.substr(0, slash) + "/share/lirava/book";
        struct stat info {};
        if (stat(installed.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            return installed;
        }
    }
    return LIRAVA_BOOK_DIR;
}

}  // namespace lirava::check
