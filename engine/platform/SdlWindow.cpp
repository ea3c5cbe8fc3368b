#include <SDL.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>

#include "engine/platform/Platform.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/render/Image.h"
#include "engine/render/SdlRenderer.h"

namespace lirava {

namespace {

constexpr int kMinimumWindowWidth = 160;
constexpr int kMinimumWindowHeight = 240;

// Whether the renderer's OpenGL is drawn by the processor: Mesa's llvmpipe and softpipe, and
// the drivers that name themselves software rasterisers (virtual machines, remote desktops).
bool rasterisesOnTheCpu(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name || std::strncmp(info.name, "opengl", 6) != 0 ||
        !SDL_GL_GetCurrentContext()) {
        return false;
    }
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int kGlRenderer = 0x1F01;
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
    if (!name) {
        return false;
    }
    const std::string text(reinterpret_cast<const char*>(name));
    for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"}) {
        if (text.find(software) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// The SDL side of the platform: one window (hidden, on the dummy video driver, when headless)
// and its renderer. SDL's video subsystem is initialised for the window's lifetime.
class SdlWindow : public PlatformWindow {
public:
    SdlWindow(SDL_Window* window, SDL_Renderer* renderer, bool headless)
        : m_window(window), m_renderer(std::make_unique<SdlRenderer>(renderer)), m_headless(headless) {
        // SDL starts with text input on; the text fields switch it on when they need it.
        SDL_StopTextInput();
    }

    ~SdlWindow() override {
        m_renderer.reset();
        SDL_DestroyWindow(m_window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    Renderer& renderer() override { return *m_renderer; }
    bool isHeadless() const override { return m_headless; }

    int width() const override {
        int w = 0;
        SDL_GetWindowSize(m_window, &w, nullptr);
        return w;
    }

    int height() const override {
        int h = 0;
        SDL_GetWindowSize(m_window, nullptr, &h);
        return h;
    }

    void outputSize(int& width, int& height) const override {
        width = 0;
        height = 0;
        SDL_GetRendererOutputSize(m_renderer->sdlRenderer(), &width, &height);
    }

    std::string rendererName() const override {
        SDL_RendererInfo info;
        if (SDL_GetRendererInfo(m_renderer->sdlRenderer(), &info) != 0 || !info.name) {
            return std::string();
        }
        return info.name;
    }

    void setTitle(const std::string& title) override { SDL_SetWindowTitle(m_window, title.c_str()); }

    void resize(int width, int height) override {
        if (width <= 0 || height <= 0) {
            return;
        }
        // A window that filled its display by hand leaves full screen for the size asked.
        if (m_fillingDisplay) {
            m_fillingDisplay = false;
            SDL_SetWindowBordered(m_window, SDL_TRUE);
        }
        SDL_SetWindowSize(m_window, width, height);
    }

    void setFullscreen(bool fullscreen) override {
        if (m_headless) {
            m_fullscreen = fullscreen;
            return;
        }
        const bool wasFullscreen = isFullscreen();
        if (fullscreen == wasFullscreen) {
            return;
        }
        if (fullscreen) {
            SDL_GetWindowSize(m_window, &m_windowedWidth, &m_windowedHeight);
            SDL_GetWindowPosition(m_window, &m_windowedX, &m_windowedY);
            if (!windowManagerAnswers()) {
                fillDisplay();
                return;
            }
        } else if (m_fillingDisplay) {
            m_fillingDisplay = false;
            SDL_SetWindowBordered(m_window, SDL_TRUE);
            SDL_SetWindowSize(m_window, m_windowedWidth, m_windowedHeight);
            SDL_SetWindowPosition(m_window, m_windowedX, m_windowedY);
            return;
        }
        // The desktop's own resolution: no mode switch.
        if (SDL_SetWindowFullscreen(m_window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
            return;
        }
        // Window managers give the window its old size back; some leave it at the screen's size.
        if (!fullscreen && m_windowedWidth > 0 && (width() != m_windowedWidth || height() != m_windowedHeight)) {
            SDL_SetWindowSize(m_window, m_windowedWidth, m_windowedHeight);
        }
    }

    bool isFullscreen() const override {
        if (m_headless) {
            return m_fullscreen;
        }
        // The window manager can change it too.
        return m_fillingDisplay || (SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN) != 0;
    }

    bool setIcon(const std::string& imagePath) override {
        Image image;
        if (!image.initWithFile(imagePath)) {
            return false;
        }
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(image.data(), image.width(), image.height(), 32,
                                                                  image.width() * 4, SDL_PIXELFORMAT_RGBA32);
        if (!surface) {
            return false;
        }
        // SDL copies the pixels; the surface and the image can go.
        SDL_SetWindowIcon(m_window, surface);
        SDL_FreeSurface(surface);
        return true;
    }

    bool pollEvent(PlatformEvent& event) override {
        SDL_Event sdlEvent;
        while (SDL_PollEvent(&sdlEvent)) {
            if (translate(sdlEvent, event)) {
                return true;
            }
        }
        return false;
    }

    bool waitEvent(PlatformEvent& event, int timeoutMs) override {
        SDL_Event sdlEvent;
        if (SDL_WaitEventTimeout(&sdlEvent, timeoutMs) && translate(sdlEvent, event)) {
            return true;
        }
        return pollEvent(event);
    }

    void pushEvent(const PlatformEvent& event) override {
        SDL_Event sdlEvent;
        SDL_zero(sdlEvent);
        const Uint32 windowId = SDL_GetWindowID(m_window);
        switch (event.type) {
            case PlatformEvent::Type::MouseDown:
            case PlatformEvent::Type::MouseUp:
                sdlEvent.type = event.type == PlatformEvent::Type::MouseDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
                sdlEvent.button.windowID = windowId;
                sdlEvent.button.button = SDL_BUTTON_LEFT;
                sdlEvent.button.state = event.type == PlatformEvent::Type::MouseDown ? SDL_PRESSED : SDL_RELEASED;
                sdlEvent.button.clicks = 1;
                sdlEvent.button.x = event.x;
                sdlEvent.button.y = event.y;
                break;
            case PlatformEvent::Type::MouseMove:
                sdlEvent.type = SDL_MOUSEMOTION;
                sdlEvent.motion.windowID = windowId;
                sdlEvent.motion.state = SDL_BUTTON_LMASK;
                sdlEvent.motion.x = event.x;
                sdlEvent.motion.y = event.y;
                break;
            case PlatformEvent::Type::TextInput:
                // Longer text is split over several events, as SDL does for real input.
                for (std::size_t at = 0; at < event.text.size();) {
                    std::size_t length = std::min(event.text.size() - at, sizeof(sdlEvent.text.text) - 1);
                    // Never split a UTF-8 sequence.
                    while (at + length < event.text.size() && length > 0 &&
                           (static_cast<unsigned char>(event.text[at + length]) & 0xC0) == 0x80) {
                        --length;
                    }
                    if (length == 0) {
                        length = std::min(event.text.size() - at, sizeof(sdlEvent.text.text) - 1);
                    }
                    SDL_Event textEvent;
                    SDL_zero(textEvent);
                    textEvent.type = SDL_TEXTINPUT;
                    textEvent.text.windowID = windowId;
                    SDL_memcpy(textEvent.text.text, event.text.data() + at, length);
                    SDL_PushEvent(&textEvent);
                    at += length;
                }
                return;
            case PlatformEvent::Type::KeyDown:
            case PlatformEvent::Type::KeyUp: {
                const SDL_Keycode key = SDL_GetKeyFromName(event.text.c_str());
                if (key == SDLK_UNKNOWN) {
                    return;
                }
                const bool down = event.type == PlatformEvent::Type::KeyDown;
                sdlEvent.type = down ? SDL_KEYDOWN : SDL_KEYUP;
                sdlEvent.key.windowID = windowId;
                sdlEvent.key.state = down ? SDL_PRESSED : SDL_RELEASED;
                sdlEvent.key.repeat = event.repeat ? 1 : 0;
                sdlEvent.key.keysym.sym = key;
                sdlEvent.key.keysym.scancode = SDL_GetScancodeFromKey(key);
                break;
            }
            case PlatformEvent::Type::Quit:
                sdlEvent.type = SDL_QUIT;
                break;
            default:
                return;
        }
        SDL_PushEvent(&sdlEvent);
    }

    void setTextInputActive(bool active) override {
        if (active) {
            SDL_StartTextInput();
        } else {
            SDL_StopTextInput();
        }
    }

private:
    // Whether a window manager will carry out a full-screen request. Window managers frame the
    // windows they manage and publish the frame's size; a bare X server draws no frame, and no
    // one there answers SDL's request: SDL would take the screen's size for the window's while
    // the window kept its own, so the program drew for a screen of which only a corner showed.
    // (A manager that draws no frames is taken for none: the window fills the display itself.)
    bool windowManagerAnswers() const {
        const char* driver = SDL_GetCurrentVideoDriver();
        if (!driver || std::strcmp(driver, "x11") != 0) {
            return true;
        }
        int top = 0;
        int left = 0;
        int bottom = 0;
        int right = 0;
        return SDL_GetWindowBordersSize(m_window, &top, &left, &bottom, &right) != 0 || top + left + bottom + right > 0;
    }

    // Full screen by hand: no border, the display's whole area.
    void fillDisplay() {
        const int display = SDL_GetWindowDisplayIndex(m_window);
        SDL_Rect bounds;
        if (display < 0 || SDL_GetDisplayBounds(display, &bounds) != 0) {
            return;
        }
        SDL_SetWindowBordered(m_window, SDL_FALSE);
        SDL_SetWindowPosition(m_window, bounds.x, bounds.y);
        SDL_SetWindowSize(m_window, bounds.w, bounds.h);
        SDL_RaiseWindow(m_window);
        m_fillingDisplay = true;
    }

    bool translate(const SDL_Event& sdlEvent, PlatformEvent& event) {
        event = PlatformEvent();
        switch (sdlEvent.type) {
            case SDL_QUIT:
                event.type = PlatformEvent::Type::Quit;
                return true;
            case SDL_WINDOWEVENT:
                switch (sdlEvent.window.event) {
                    case SDL_WINDOWEVENT_CLOSE:
                        event.type = PlatformEvent::Type::Quit;
                        return true;
                    case SDL_WINDOWEVENT_MINIMIZED:
                        event.type = PlatformEvent::Type::Minimized;
                        return true;
                    case SDL_WINDOWEVENT_RESTORED:
                        event.type = PlatformEvent::Type::Restored;
                        return true;
                    case SDL_WINDOWEVENT_EXPOSED:
                        event.type = PlatformEvent::Type::Exposed;
                        return true;
                    case SDL_WINDOWEVENT_FOCUS_LOST:
                        event.type = PlatformEvent::Type::FocusLost;
                        return true;
                    case SDL_WINDOWEVENT_SIZE_CHANGED:
                        event.type = PlatformEvent::Type::Resized;
                        event.x = sdlEvent.window.data1;
                        event.y = sdlEvent.window.data2;
                        return event.x > 0 && event.y > 0;
                    default:
                        return false;
                }
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                if (sdlEvent.button.button != SDL_BUTTON_LEFT) {
                    return false;
                }
                event.type = sdlEvent.type == SDL_MOUSEBUTTONDOWN ? PlatformEvent::Type::MouseDown
                                                                  : PlatformEvent::Type::MouseUp;
                event.x = sdlEvent.button.x;
                event.y = sdlEvent.button.y;
                return true;
            case SDL_MOUSEMOTION:
                event.type = PlatformEvent::Type::MouseMove;
                event.x = sdlEvent.motion.x;
                event.y = sdlEvent.motion.y;
                return true;
            case SDL_TEXTINPUT:
                event.type = PlatformEvent::Type::TextInput;
                event.text.assign(sdlEvent.text.text, ::strnlen(sdlEvent.text.text, sizeof(sdlEvent.text.text)));
                return true;
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                const char* name = SDL_GetKeyName(sdlEvent.key.keysym.sym);
                if (!name || !*name) {
                    return false;
                }
                event.type = sdlEvent.type == SDL_KEYDOWN ? PlatformEvent::Type::KeyDown : PlatformEvent::Type::KeyUp;
                event.text = name;
                event.repeat = sdlEvent.key.repeat != 0;
                return true;
            }
            default:
                return false;
        }
    }

    SDL_Window* m_window;
    std::unique_ptr<SdlRenderer> m_renderer;
    bool m_headless;
    bool m_fullscreen = false;
    bool m_fillingDisplay = false;
    int m_windowedWidth = 0;
    int m_windowedHeight = 0;
    int m_windowedX = SDL_WINDOWPOS_CENTERED;
    int m_windowedY = SDL_WINDOWPOS_CENTERED;
};

}  // namespace

std::unique_ptr<PlatformWindow> PlatformWindow::open(const PlatformWindowConfig& config, std::string& error,
                                                     bool& displayMissing) {
    displayMissing = false;
    if (config.width <= 0 || config.height <= 0) {
        error = "the window has no size";
        return nullptr;
    }
    if (!platformInitVideo(config.headless, error, displayMissing)) {
        return nullptr;
    }
    // Readers resize the window as they like; the page keeps its proportions in it. A high-DPI
    // display gets a drawable of its own pixels: drawing uses the renderer's output size, mouse
    // positions stay in window coordinates.
    const Uint32 flags =
        config.headless ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    SDL_Window* window = SDL_CreateWindow(config.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          config.width, config.height, flags);
    if (!window) {
        error = SDL_GetError();
        displayMissing = !config.headless;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    if (!config.headless) {
        // Small enough for any screen, large enough to find the page's items.
        SDL_SetWindowMinimumSize(window, kMinimumWindowWidth, kMinimumWindowHeight);
    }
    SDL_Renderer* renderer = nullptr;
    if (!config.headless) {
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
        if (renderer && rasterisesOnTheCpu(renderer) && !SDL_GetHint(SDL_HINT_RENDER_DRIVER)) {
            // OpenGL drawn by the processor: SDL's own software renderer costs less, and it keeps
            // the frame between frames, so that a frame can draw and show only what changed.
            // The window's surface must then be plain memory sent to the display, not a texture
            // of yet another renderer.
            SDL_DestroyRenderer(renderer);
            renderer = nullptr;
            SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        }
    }
    if (!renderer) {
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    }
    if (!renderer) {
        error = SDL_GetError();
        SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    return std::make_unique<SdlWindow>(window, renderer, config.headless);
}

}  // namespace lirava
