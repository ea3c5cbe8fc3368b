// The reader's entry: reads the launch options, names and sizes the window and runs the main
// loop, whose result is the exit status.

#include <string>
#include <vector>

#include "app/shell/AppDelegate.h"
#include "app/shell/DocumentScriptCommands.h"
#include "app/shell/ScriptExtensions.h"
#include "app/shell/SettingsScriptCommands.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/LaunchOptions.h"
#include "engine/platform/Platform.h"

#ifndef LIRAVA_SOURCE_BOOK
#define LIRAVA_SOURCE_BOOK ""
#endif

int main(int argc, char** argv) {
    using namespace lirava;

    AppDelegate app;
    LaunchOptions options;
    int status = 0;
    const std::vector<std::string> bundledBooks = {LIRAVA_SOURCE_BOOK,
                                                   platformExecutableDirectory() + "/../share/lirava/book"};
    if (!parseLaunchOptions(argc, argv, bundledBooks, options, status)) {
        return status;
    }
    app.setLaunchOptions(options);
    registerScriptExtensions();
    registerDocumentScriptCommands();
    registerSettingsScriptCommands();

    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setViewName("Lirava");
    const CCSize frame = AppDelegate::frameSizeForScreenHeight(platformUsableScreenHeight());
    view->setFrameSize(frame.width, frame.height);

    return CCApplication::sharedApplication()->run();
}
