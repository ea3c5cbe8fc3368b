#include "engine/platform/Platform.h"

#include <SDL.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/mman.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <climits>
#include <cstdint>
#include <cstdlib>

#include "engine/platform/CCApplication.h"

namespace lirava {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

bool platformDisplayConfigured() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("SDL_VIDEODRIVER");
}

bool platformInitVideo(bool headless, std::string& error, bool& displayMissing) {
    displayMissing = false;
    if (headless) {
        // Override whatever the environment says: headless frames must not depend on it.
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
        SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_OVERRIDE);
    } else if (!platformDisplayConfigured()) {
        error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        displayMissing = true;
        return false;
    } else if (!isSet("SDL_VIDEODRIVER")) {
        // Try only the display systems the environment names: SDL would also probe the others,
        // and Wayland's client library complains on standard error when it finds none.
        std::string drivers;
        if (isSet("DISPLAY")) {
            drivers = "x11";
        }
        if (isSet("WAYLAND_DISPLAY")) {
            drivers += drivers.empty() ? "wayland" : ",wayland";
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        displayMissing = !headless;
        return false;
    }
    if (!headless) {
        // SDL falls back to drivers that show nothing; a window there is no window. Only someone
        // who asked for such a driver by name gets it.
        const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
        const char* requested = std::getenv("SDL_VIDEODRIVER");
        if ((driver == "offscreen" || driver == "dummy") && !(requested && driver == requested)) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            error = "only the " + driver + " video driver is available";
            displayMissing = true;
            return false;
        }
    }
    return true;
}

double platformUsableScreenHeight() {
    if (CCApplication* app = CCApplication::sharedApplication()) {
        const LaunchOptions& options = app->getLaunchOptions();
        if (options.headless) {
            return options.frameHeight;
        }
    }
    // The video subsystem stays up for the window that follows: SDL 2.26 often fails to start
    // its X11 driver a second time in a process ("x11 not available"), so quitting it here made
    // one window-mode start in two fail. One reference is kept, once.
    static bool videoKept = false;
    std::string error;
    bool displayMissing = false;
    if (!videoKept && !platformInitVideo(false, error, displayMissing)) {
        return 0.0;
    }
    videoKept = true;
    SDL_Rect bounds;
    double height = 0.0;
    if (SDL_GetDisplayUsableBounds(0, &bounds) == 0) {
        height = bounds.h;
    }
    return height;
}

void platformReturnLargeBuffersToSystem() {
#if defined(__GLIBC__)
    // A fixed threshold also turns off the adaptive one. 256 KiB keeps small allocations (JSON
    // values, nodes, glyph runs) on the heap and every picture-sized buffer in its own mapping.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

void platformReleasePages(void* begin, std::size_t bytes) {
#if defined(__linux__)
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    if (!begin || page == 0 || bytes < page) {
        return;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(begin);
    const std::uintptr_t first = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + bytes) / page * page;
    if (end > first) {
        madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
    }
#else
    (void)begin;
    (void)bytes;
#endif
}

std::string platformKeyName(const std::string& name) {
    if (name.empty() || name.size() > 64) {
        return std::string();
    }
    const SDL_Keycode key = SDL_GetKeyFromName(name.c_str());
    if (key == SDLK_UNKNOWN) {
        return std::string();
    }
    const char* canonical = SDL_GetKeyName(key);
    return canonical ? canonical : std::string();
}

std::string platformExecutableDirectory() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return std::string();
    }
    std::string result(path, static_cast<std::size_t>(length));
    const std::size_t slash = result.rfind('/');
    return slash == std::string::npos ? std::string() : result.substr(0, slash);
}

}  // namespace lirava
