#include "tools/check/ContactSheet.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/reader/BookState.h"
#include "app/reader/PageLayer.h"
#include "app/reader/SentenceNames.h"
#include "app/reader/TestLayer1.h"
#include "app/shell/BookScene.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/render/FontRasterizer.h"
#include "engine/render/Image.h"
#include "engine/render/ImageScaling.h"
#include "engine/render/Renderer.h"
#include "tools/check/HeadlessEngine.h"

namespace lirava::check {

namespace {

constexpr const char* kUsage = "usage: lirava-check --contact-sheet FILE.png [--resources DIR]";
constexpr float kDesignWidth = 640.0f;
constexpr float kDesignHeight = 960.0f;
constexpr int kLabelPixelSize = 18;
constexpr std::uint8_t kBackground[3] = {232, 232, 228};
constexpr std::uint8_t kLabelColour[3] = {40, 40, 40};

void fill(Image& image, const std::uint8_t rgb[3]) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            std::uint8_t* p = image.pixel(x, y);
            p[0] = rgb[0];
            p[1] = rgb[1];
            p[2] = rgb[2];
            p[3] = 255;
        }
    }
}

// The thumbnail covers the sheet where it lands (page frames are opaque).
void paste(Image& sheet, const Image& thumbnail, int left, int top) {
    for (int y = 0; y < thumbnail.height(); ++y) {
        std::memcpy(sheet.pixel(left, top + y), thumbnail.pixel(0, y), static_cast<std::size_t>(thumbnail.width()) * 4);
    }
}

// Centres the text in the band of the given width below a thumbnail.
void drawLabel(Image& sheet, const std::string& text, int left, int top, int width, int height) {
    FontFace* face = FontRasterizer::shared()->face(FontRasterizer::kDefaultFontPath, kLabelPixelSize);
    if (!face) {
        return;
    }
    Image coverage(width, height);
    const int x = (width - face->textWidth(text)) / 2;
    const int y = (height - face->lineHeight()) / 2;
    face->drawText(text, coverage, x, y);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const int alpha = coverage.pixel(column, row)[3];
            if (alpha == 0) {
                continue;
            }
            std::uint8_t* p = sheet.pixel(left + column, top + row);
            for (int c = 0; c < 3; ++c) {
                p[c] = static_cast<std::uint8_t>((p[c] * (255 - alpha) + kLabelColour[c] * alpha + 127) / 255);
            }
        }
    }
}

// Whether a file can be made at path: its folder exists and takes new files.
bool canWriteInto(const std::string& path, std::string& reason) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

// Builds the page the way the unit page list opens it and lets one frame show it.
bool drawPage(int page, Image& frame) {
    book::reset();
    book::currentPage = page;
    BookScene* scene = new BookScene();
    if (PageLayer* layer = TestLayer1::createPage()) {
        scene->addChild(layer);
        layer->release();
    }
    CCDirector* director = CCDirector::sharedDirector();
    if (director->getRunningScene()) {
        director->replaceScene(scene);
    } else {
        director->runWithScene(scene);
    }
    scene->release();
    director->mainLoop(director->getAnimationInterval());

    Renderer* renderer = director->getRenderer();
    std::vector<std::uint8_t> pixels;
    int width = 0;
    int height = 0;
    if (!renderer || !director->renderFrame() || !renderer->readPixels(pixels, width, height)) {
        return false;
    }
    // Every page leaves its textures behind in the caches; the sheet has no use for them.
    director->purgeCachedData();
    return frame.initWithRawData(pixels.data(), width, height);
}

}  // namespace

SheetLayout SheetLayout::forCells(int cells) {
    SheetLayout layout;
    if (cells <= 0) {
        return layout;
    }
    layout.cells = cells;
    layout.columns = std::min(cells, kMaxColumns);
    layout.rows = (cells + layout.columns - 1) / layout.columns;
    return layout;
}

int SheetLayout::width() const {
    return columns == 0 ? 0 : columns * (kThumbnailWidth + kGap) + kGap;
}

int SheetLayout::height() const {
    return rows == 0 ? 0 : rows * (kThumbnailHeight + kLabelHeight + kGap) + kGap;
}

int SheetLayout::thumbnailX(int cell) const {
    return kGap + (cell % columns) * (kThumbnailWidth + kGap);
}

int SheetLayout::thumbnailY(int cell) const {
    return kGap + (cell / columns) * (kThumbnailHeight + kLabelHeight + kGap);
}

bool renderContactSheet(int firstPage, int lastPage, Image& sheet, std::ostream& progress) {
    const SheetLayout layout = SheetLayout::forCells(lastPage - firstPage + 1);
    if (layout.cells == 0) {
        return false;
    }
    sheet = Image(layout.width(), layout.height());
    fill(sheet, kBackground);
    bool complete = true;
    for (int page = firstPage; page <= lastPage; ++page) {
        const int cell = page - firstPage;
        progress << "contact sheet: page " << page << " (" << cell + 1 << " of " << layout.cells << ")" << std::endl;
        Image frame;
        if (!drawPage(page, frame)) {
            progress << "contact sheet: page " << page << " could not be drawn" << std::endl;
            complete = false;
            continue;
        }
        const Image thumbnail = scaledImage(frame, SheetLayout::kThumbnailWidth, SheetLayout::kThumbnailHeight);
        if (thumbnail.isEmpty()) {
            complete = false;
            continue;
        }
        const int x = layout.thumbnailX(cell);
        const int y = layout.thumbnailY(cell);
        paste(sheet, thumbnail, x, y);
        drawLabel(sheet, std::to_string(page), x, y + SheetLayout::kThumbnailHeight, SheetLayout::kThumbnailWidth,
                  SheetLayout::kLabelHeight);
    }
    // The last page leaves the stage as well, which drops the document singletons with it.
    CCDirector::sharedDirector()->replaceScene(CCScene::create());
    CCDirector::sharedDirector()->mainLoop(CCDirector::sharedDirector()->getAnimationInterval());
    book::reset();
    return complete;
}

int runContactSheet(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    std::string output;
    std::string resources = defaultResourceRoot();
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc && argv[i + 1][0] != '\0';
        if (std::strcmp(argv[i], "--contact-sheet") == 0 && hasValue && output.empty()) {
            output = argv[++i];
        } else if (std::strcmp(argv[i], "--resources") == 0 && hasValue) {
            resources = argv[++i];
        } else {
            err << kUsage << std::endl;
            return 2;
        }
    }
    if (output.empty()) {
        err << kUsage << std::endl;
        return 2;
    }
    if (const int status = setUpHeadlessEngine(resources, err)) {
        return status;
    }
    // Found out before a minute of drawing rather than after it.
    std::string unwritable;
    if (!canWriteInto(output, unwritable)) {
        err << "lirava-check: cannot write " << output << ": " << unwritable << std::endl;
        return 1;
    }

    // The headless frame of the reader: one frame pixel per design unit.
    PlatformWindowConfig config;
    config.title = "lirava-check";
    config.headless = true;
    config.width = static_cast<int>(kDesignWidth);
    config.height = static_cast<int>(kDesignHeight);
    std::string error;
    bool displayMissing = false;
    std::unique_ptr<PlatformWindow> window = PlatformWindow::open(config, error, displayMissing);
    if (!window) {
        err << "lirava-check: no headless frame to draw in: " << error << std::endl;
        return 1;
    }
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setDesignResolutionSize(kDesignWidth, kDesignHeight, kResolutionExactFit);
    view->attachWindow(window.get());
    Renderer::setCurrent(&window->renderer());
    CCDirector* director = CCDirector::sharedDirector();
    director->setOpenGLView(view);
    director->setAnimationInterval(1.0 / 60);
    // Nothing is read aloud, but a page stops the narration when it is built.
    SimpleAudioEngine::sharedEngine()->selectBackend(AudioBackendKind::Virtual);

    // The pages log their stage hooks on standard output, which carries only the summary here.
    std::fflush(stdout);
    const int savedOut = ::dup(STDOUT_FILENO);
    const int nowhere = ::open("/dev/null", O_WRONLY);
    if (savedOut >= 0 && nowhere >= 0) {
        ::dup2(nowhere, STDOUT_FILENO);
    }
    Image sheet;
    const bool complete = renderContactSheet(sentence::kFirstPage, sentence::kLastPage, sheet, err);
    std::fflush(stdout);
    if (savedOut >= 0 && nowhere >= 0) {
        ::dup2(savedOut, STDOUT_FILENO);
    }
    if (savedOut >= 0) {
        ::close(savedOut);
    }
    if (nowhere >= 0) {
        ::close(nowhere);
    }

    // Scenes and cached textures give their textures back while the renderer still exists.
    director->purgeCachedData();
    CCDirector::purgeDirector();
    CCPoolManager::sharedPoolManager()->drainAll();
    tearDownHeadlessEngine();
    SimpleAudioEngine::end();
    Renderer::setCurrent(nullptr);
    view->attachWindow(nullptr);
    window.reset();

    if (!complete) {
        err << "lirava-check: the contact sheet is incomplete" << std::endl;
        return 1;
    }
    std::string reason;
    if (!sheet.saveToPNG(output, &reason)) {
        err << "lirava-check: cannot write " << output << ": " << reason << "; a file already there is left as it was"
            << std::endl;
        return 1;
    }
    const SheetLayout layout = SheetLayout::forCells(sentence::kLastPage - sentence::kFirstPage + 1);
    out << "lirava-check: contact sheet of " << layout.cells << " pages (" << layout.columns << " x " << layout.rows
        << " cells, " << sheet.width() << " x " << sheet.height() << " pixels) in " << output << std::endl;
    return 0;
}

}  // namespace lirava::check
