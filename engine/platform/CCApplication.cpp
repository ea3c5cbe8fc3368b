#include "engine/platform/CCApplication.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/audio/SimpleAudioEngine.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCObject.h"
#include "engine/nodes/CCScene.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/CCKeypadDispatcher.h"
#include "engine/platform/CCTouchDispatcher.h"
#include "engine/platform/EventPump.h"
#include "engine/platform/FrameClock.h"
#include "engine/platform/FramePacer.h"
#include "engine/platform/JsonWriter.h"
#include "engine/platform/Platform.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/platform/ScriptDriver.h"
#include "engine/platform/ScriptStepper.h"
#include "engine/render/PageViewport.h"
#include "engine/render/PngFile.h"
#include "engine/render/Renderer.h"
#include "engine/text/CCIMEDispatcher.h"

namespace lirava {

namespace {

CCApplication* g_application = nullptr;

// The largest window or frame side a script may ask for (as --size allows).
constexpr int kMaxFrameSide = 16384;

// LIRAVA_VERBOSE set to anything but "" or "0".
bool verboseRequested() {
    const char* value = std::getenv("LIRAVA_VERBOSE");
    return value && *value && std::strcmp(value, "0") != 0;
}

int roundToInt(float value) {
    if (!(value > -1.0e6f && value < 1.0e6f)) {
        return value > 0.0f ? 1000000 : -1000000;
    }
    return static_cast<int>(std::lround(value));
}

// What the driver script reaches of the running program.
class LoopHost : public ScriptHost {
public:
    LoopHost(PlatformWindow& window, const FrameClock& clock) : m_window(window), m_clock(clock) {}

    double now() const override { return m_clock.now(); }

    void pushTouch(Touch phase, const CCPoint& designPoint) override {
        // Real mouse positions are whole window pixels; so are these.
        const CCPoint frame = CCEGLView::sharedOpenGLView()->convertDesignToFrame(designPoint);
        PlatformEvent event;
        event.type = phase == Touch::Press  ? PlatformEvent::Type::MouseDown
                     : phase == Touch::Move ? PlatformEvent::Type::MouseMove
                                            : PlatformEvent::Type::MouseUp;
        event.x = roundToInt(frame.x);
        event.y = roundToInt(frame.y);
        m_window.pushEvent(event);
    }

    void pushText(const std::string& utf8) override {
        PlatformEvent event;
        event.type = PlatformEvent::Type::TextInput;
        event.text = utf8;
        m_window.pushEvent(event);
    }

    bool pushKey(const std::string& name, bool down) override {
        PlatformEvent event;
        event.type = down ? PlatformEvent::Type::KeyDown : PlatformEvent::Type::KeyUp;
        event.text = platformKeyName(name);
        if (event.text.empty()) {
            return false;
        }
        m_window.pushEvent(event);
        return true;
    }

    bool resizeFrame(int width, int height, std::string& error) override {
        if (width < 1 || height < 1 || width > kMaxFrameSide || height > kMaxFrameSide) {
            error = "the size is out of range";
            return false;
        }
        m_window.resize(width, height);
        if (m_window.width() != width || m_window.height() != height) {
            error = "the window kept " + std::to_string(m_window.width()) + " x " + std::to_string(m_window.height());
            return false;
        }
        // The window's own report of the new size follows as an event; the mapping changes now,
        // so that the next command already meets the new size.
        CCEGLView::sharedOpenGLView()->windowResized(width, height);
        return true;
    }

    bool screenshot(const std::string& path, std::string& error) override {
        // The scene may have changed since the frame on show (a command between frames).
        CCDirector::sharedDirector()->forgetShownFrame();
        if (!CCDirector::sharedDirector()->renderFrame()) {
            error = "nothing to draw with";
            return false;
        }
        std::vector<std::uint8_t> pixels;
        int width = 0;
        int height = 0;
        if (!m_window.renderer().readPixels(pixels, width, height)) {
            error = "the frame could not be read back";
            return false;
        }
        return writePngFile(path, pixels, width, height, error);
    }

    void writeState(JsonWriter& writer) override {
        CCDirector* director = CCDirector::sharedDirector();
        CCScene* scene = director->getRunningScene();
        if (scene) {
            writer.member("scene", ScriptDriver::className(scene));
        } else {
            writer.memberNull("scene");
        }
        writer.member("objects", static_cast<unsigned long long>(CCObject::liveObjectCount()));
        writer.member("frame", director->getTotalFrames());
        writer.member("time", director->getElapsedTime());
        writer.member("touchDelegates",
                      static_cast<unsigned long long>(director->getTouchDispatcher()->delegateCount()));
        writer.member("touchDispatch", director->getTouchDispatcher()->isDispatchEvents());
        writer.member("keypadDelegates",
                      static_cast<unsigned long long>(director->getKeypadDispatcher()->delegateCount()));
        CCEGLView* view = CCEGLView::sharedOpenGLView();
        writer.beginObject("window");
        writer.member("title", std::string(view->getViewName()));
        writer.beginArray("size").value(m_window.width()).value(m_window.height()).endArray();
        writer.member("fullscreen", view->isFullScreen());
        writer.member("icon", view->hasIcon());
        writer.member("renderer", m_window.rendererName());
        const PageViewport page = view->getPageViewport();
        writer.member("scale", page.scale);
        writer.member("letterbox", view->isLetterboxed());
        writer.beginArray("bars")
            .value(page.barLeft())
            .value(page.barTop())
            .value(page.barRight())
            .value(page.barBottom())
            .endArray();
        writer.endObject();
        writer.member("resources", CCFileUtils::sharedFileUtils()->getResourceRoot());
    }

private:
    PlatformWindow& m_window;
    const FrameClock& m_clock;
};

}  // namespace

CCApplication::CCApplication() {
    g_application = this;
}

CCApplication::~CCApplication() {
    if (g_application == this) {
        g_application = nullptr;
    }
}

CCApplication* CCApplication::sharedApplication() {
    return g_application;
}

int CCApplication::run() {
    if (!m_options.resourceRoot.empty()) {
        std::string error;
        if (!CCFileUtils::sharedFileUtils()->openResourceRoot(m_options.resourceRoot, error)) {
            std::fprintf(stderr, "lirava: %s\n", error.c_str());
            return 1;
        }
    }
    CCEGLView* view = CCEGLView::sharedOpenGLView();

    PlatformWindowConfig config;
    config.title = view->getViewName();
    config.headless = m_options.headless;
    if (m_options.headless || m_options.sizeGiven) {
        config.width = m_options.frameWidth;
        config.height = m_options.frameHeight;
    } else {
        config.width = roundToInt(view->getFrameSize().width);
        config.height = roundToInt(view->getFrameSize().height);
    }
    std::string error;
    bool displayMissing = false;
    std::unique_ptr<PlatformWindow> window = PlatformWindow::open(config, error, displayMissing);
    if (!window) {
        if (displayMissing) {
            std::fprintf(stderr,
                         "lirava: no display to open the window on (%s); the reader needs one, or run it with "
                         "--headless\n",
                         error.c_str());
        } else {
            std::fprintf(stderr, "lirava: the window could not be opened: %s\n", error.c_str());
        }
        return 1;
    }
    view->attachWindow(window.get());
    Renderer::setCurrent(&window->renderer());
    CCDirector* director = CCDirector::sharedDirector();
    director->setOpenGLView(view);

    // Narration in headless runs plays on the virtual clock; the back end is chosen before the
    // launch hook can start a track.
    SimpleAudioEngine::sharedEngine()->selectBackend(m_options.headless ? AudioBackendKind::Virtual
                                                                        : AudioBackendKind::Device);
    // Text fields switch keyboard text input on while they are attached.
    CCIMEDispatcher::sharedDispatcher()->setKeyboardStateHandler(
        [view](bool open) { view->setIMEKeyboardState(open); });

    FrameClock clock(m_options.headless);
    LoopHost host(*window, clock);
    std::unique_ptr<ScriptDriver> script;
    int status = 0;
    if (!m_options.scriptPath.empty()) {
        script = ScriptDriver::open(m_options.scriptPath, host, error);
        if (!script) {
            std::fprintf(stderr, "lirava: %s\n", error.c_str());
            status = 2;
        }
    }

    if (status == 0 && !applicationDidFinishLaunching()) {
        std::fprintf(stderr, "lirava: the application could not start\n");
        status = 1;
    }

    if (!m_options.headless && verboseRequested()) {
        const PageViewport page = view->getPageViewport();
        CCLog("Window: %d x %d, renderer %s, %d x %d pixels, %.4g pixels per design unit, %s, bars %d %d %d %d",
              window->width(), window->height(), window->rendererName().c_str(), page.areaWidth, page.areaHeight,
              static_cast<double>(page.scale), view->isLetterboxed() ? "letterboxed" : "exact fit", page.barLeft(),
              page.barTop(), page.barRight(), page.barBottom());
    }

    EventPump::Hooks hooks;
    hooks.enteredBackground = [this] { applicationDidEnterBackground(); };
    hooks.enteredForeground = [this, &clock] {
        applicationWillEnterForeground();
        clock.resetStep();
    };
    EventPump pump(std::move(hooks));
    if (status != 0) {
        pump.requestQuit();
    }
    ScriptStepper steps(std::move(script));
    FramePacer pacer(clock, *window);
    while (!pump.quitRequested()) {
        if (!steps.beforeFrame()) {
            status = steps.exitStatus();
            break;
        }
        pacer.absorb(pump.drain(*window));
        if (pump.quitRequested()) {
            break;
        }
        pacer.pass(pump, steps);
        steps.frameDone();
        if (view->isEndRequested() || director->isEnded()) {
            break;
        }
        // An archived book whose data turns out damaged ends the run rather than showing a
        // book with holes.
        const std::string damage = CCFileUtils::sharedFileUtils()->resourceDamage();
        if (!damage.empty()) {
            std::fprintf(stderr, "lirava: %s\n", damage.c_str());
            status = 1;
            break;
        }
    }

    // Shut down while the renderer still exists: scenes and cached textures give their textures
    // back to it.
    pump.cancelTouches();
    director->purgeCachedData();
    CCDirector::purgeDirector();
    CCPoolManager::sharedPoolManager()->drainAll();
    SimpleAudioEngine::end();
    CCIMEDispatcher::sharedDispatcher()->setKeyboardStateHandler(nullptr);
    Renderer::setCurrent(nullptr);
    view->attachWindow(nullptr);
    window.reset();
    return status;
}

}  // namespace lirava
