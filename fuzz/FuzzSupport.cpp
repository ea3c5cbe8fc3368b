#include "fuzz/FuzzSupport.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCObject.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/FontRasterizer.h"
#include "gui/action/ActionManager.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/UIToolbox.h"

namespace lirava::fuzz {

namespace {

std::string g_scratch;

void removeScratch() {
    if (!g_scratch.empty()) {
        const std::string command = "rm -rf '" + g_scratch + "'";
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "could not remove %s\n", g_scratch.c_str());
        }
    }
}

}  // namespace

const std::string& scratchBook() {
    if (!g_scratch.empty()) {
        return g_scratch;
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/lirava-fuzz-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    g_scratch = pattern;
    std::atexit(removeScratch);
    ::mkdir((g_scratch + "/english5down").c_str(), 0755);
    const std::string book = LIRAVA_SOURCE_DIR "/book";
    if (DIR* dir = ::opendir(book.c_str())) {
        while (dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == ".." || name == "english5down") {
                continue;
            }
            if (::symlink((book + "/" + name).c_str(), (g_scratch + "/" + name).c_str()) != 0) {
                std::perror("symlink");
            }
        }
        ::closedir(dir);
    }
    return g_scratch;
}

const std::string& setUpEngine() {
    static const std::string root = [] {
        // The engine logs through standard output; a run of millions of inputs must stay quiet.
        if (!std::getenv("LIRAVA_FUZZ_VERBOSE")) {
            if (!std::freopen("/dev/null", "w", stdout)) {
                std::perror("freopen");
            }
        }
        const std::string& scratch = scratchBook();
        CCFileUtils::sharedFileUtils()->setResourceRoot(scratch);
        CCEGLView::sharedOpenGLView()->setDesignResolutionSize(640.0f, 960.0f, kResolutionExactFit);
        CCDirector::sharedDirector();
        std::atexit(tearDownEngine);
        return scratch;
    }();
    return root;
}

void tearDownEngine() {
    DictionaryAccessor::purge();
    UIToolbox::purgeToolbox();
    ActionManager::destroyInstance();
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCPoolManager::sharedPoolManager()->drainAll();
    FontRasterizer::purgeShared();
}

bool writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

TextureId CheckingRenderer::createTexture(int width, int height, const std::uint8_t* rgba) {
    if (width <= 0 || height <= 0 || !rgba) {
        std::fprintf(stderr, "texture of %d x %d pixels (%p)\n", width, height, static_cast<const void*>(rgba));
        std::abort();
    }
    // Touch the first and the last pixel, so a short buffer shows up under AddressSanitizer.
    volatile std::uint8_t first = rgba[0];
    volatile std::uint8_t last = rgba[static_cast<std::size_t>(width) * height * 4 - 1];
    (void)first;
    (void)last;
    return ++m_nextId;
}

void CheckingRenderer::drawTriangles(TextureId, const Vertex* vertices, int vertexCount, const int* indices,
                                     int indexCount, BlendMode) {
    if (vertexCount < 0 || indexCount < 0 || indexCount % 3 != 0 || (indexCount > 0 && (!vertices || !indices))) {
        std::fprintf(stderr, "drawTriangles with %d vertices and %d indices\n", vertexCount, indexCount);
        std::abort();
    }
    for (int i = 0; i < indexCount; ++i) {
        if (indices[i] < 0 || indices[i] >= vertexCount) {
            std::fprintf(stderr, "index %d of %d vertices\n", indices[i], vertexCount);
            std::abort();
        }
    }
    m_triangles += static_cast<std::size_t>(indexCount / 3);
}

void CheckingRenderer::popClip() {
    if (--m_clipDepth < 0) {
        std::fprintf(stderr, "a clip popped that was never pushed\n");
        std::abort();
    }
}

void CheckingRenderer::expectClipsClosed() {
    if (m_clipDepth != 0) {
        std::fprintf(stderr, "%d clips left open after a frame\n", m_clipDepth);
        std::abort();
    }
}

CheckingRenderer& checkingRenderer() {
    static CheckingRenderer* renderer = [] {
        auto* made = new CheckingRenderer();
        Renderer::setCurrent(made);
        return made;
    }();
    return *renderer;
}

std::size_t liveNonTextureObjects() {
    return CCObject::liveObjectCount() - CCTexture2D::liveTextureCount();
}

void expectNoObjectLeak(std::size_t before, const char* what) {
    const std::size_t after = liveNonTextureObjects();
    if (after != before) {
        std::fprintf(stderr, "%s: %zu engine objects before the run, %zu after it\n", what, before, after);
        std::abort();
    }
}

void runAfterWarmUp(Run run, const std::uint8_t* data, std::size_t size) {
    static const bool warmedUp = (run(nullptr, 0, false), true);
    (void)warmedUp;
    run(data, size, true);
}

}  // namespace lirava::fuzz
