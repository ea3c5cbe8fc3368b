// The reader's entry: reads the launch options, names and sizes the window and runs the main
// loop, whose result is the exit status.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/reader/BookState.h"
#include "app/reader/CaptionLanguages.h"
#include "app/shell/AppDelegate.h"
#include "app/shell/DocumentScriptCommands.h"
#include "app/shell/ScriptExtensions.h"
#include "app/shell/SettingsScriptCommands.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/LaunchOptions.h"
#include "engine/platform/Platform.h"

#ifndef LIRAVA_SOURCE_BOOK
#define LIRAVA_SOURCE_BOOK ""
#endif

namespace {

bool isReadable(const std::string& path) {
    return ::access(path.c_str(), R_OK) == 0;
}

// The folder a folder is in ("/usr/bin" gives "/usr").
std::string parentFolder(const std::string& folder) {
    const std::size_t slash = folder.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string() : folder.substr(0, slash);
}

// The book's own figure, else the icon installed with the reader; empty when there is neither.
// The book is asked through the file utilities, which read it from a folder or an archive.
std::string windowIconFile(const std::string& resourceRoot, const std::string& installRoot) {
    lirava::CCFileUtils* files = lirava::CCFileUtils::sharedFileUtils();
    files->setResourceRoot(resourceRoot);
    const std::string figure = files->fullPathForFilename("Images/grossini.png");
    if (files->isFileExist(figure)) {
        return figure;
    }
    const std::string installed = installRoot + "/share/icons/hicolor/128x128/apps/lirava.png";
    return isReadable(installed) ? installed : std::string();
}

// The caption language to start with: the one asked for, else the one the environment asks
// for, else the book's own. False (after a message) when the book lacks the one asked for.
bool chooseCaptionLanguage(const lirava::LaunchOptions& options) {
    using namespace lirava;
    CCFileUtils::sharedFileUtils()->setResourceRoot(options.resourceRoot);
    book::captionLanguages = captions::bookLanguages();
    const std::string& asked = options.captionLanguage;
    if (asked.empty()) {
        const std::string found = captions::environmentMatch(book::captionLanguages, std::getenv);
        book::captionLanguage = found.empty() ? std::string(captions::kBookLanguage) : found;
        return true;
    }
    if (asked == captions::kOff) {
        book::captionLanguage = asked;
        return true;
    }
    for (const std::string& tag : book::captionLanguages) {
        if (tag == asked) {
            book::captionLanguage = tag;
            return true;
        }
    }
    std::string list;
    for (const std::string& tag : book::captionLanguages) {
        list += (list.empty() ? "" : ", ") + tag;
    }
    std::fprintf(stderr, "lirava: the book has no captions in \"%s\"; it has %s, or off\n", asked.c_str(),
                 list.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace lirava;

    // Decoded images and textures (2.4 MB a page picture, 13 MB a word sheet) go back to the
    // system when freed: on a word page the resident memory was 81 MiB without this, 50 with it.
    platformReturnLargeBuffersToSystem();

    AppDelegate app;
    LaunchOptions options;
    int status = 0;
    // An installed reader reads its installed book, even where the tree it was built from is
    // still around; a reader in the build tree finds no installed book beside it.
    const std::string installed = parentFolder(platformExecutableDirectory());
    const std::vector<std::string> bundledBooks = {installed + "/share/lirava/book", LIRAVA_SOURCE_BOOK};
    if (!parseLaunchOptions(argc, argv, bundledBooks, options, status)) {
        return status;
    }
    app.setLaunchOptions(options);
    book::narrationSpeed = options.narrationSpeed;
    if (!chooseCaptionLanguage(options)) {
        return 2;
    }
    registerScriptExtensions();
    registerDocumentScriptCommands();
    registerSettingsScriptCommands();

    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setViewName("Lirava");
    view->setIconFile(windowIconFile(options.resourceRoot, installed));
    const CCSize frame = AppDelegate::frameSizeForScreenHeight(platformUsableScreenHeight());
    view->setFrameSize(frame.width, frame.height);

    return CCApplication::sharedApplication()->run();
}
