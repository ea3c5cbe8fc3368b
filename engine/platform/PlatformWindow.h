#pragma once

#include <memory>
#include <string>

namespace lirava {

class Renderer;

// Input and window events, free of SDL types. Positions are in frame pixels (top-left origin).
struct PlatformEvent {
    enum class Type {
        None,
        Quit,  // the window was closed
        Minimized,
        Restored,
        FocusLost,
        MouseDown,  // left button
        MouseUp,
        MouseMove,
        TextInput,  // text holds UTF-8
        KeyDown,    // text holds the key's SDL name ("Left", "Return", "F11")
        KeyUp,
        Resized,  // the window's new size in x (width) and y (height)
        Exposed,  // the window's pixels must be drawn again
    };
    Type type = Type::None;
    int x = 0;
    int y = 0;
    std::string text;
    // KeyDown: the system repeats a held key.
    bool repeat = false;
};

// How the platform window is opened.
struct PlatformWindowConfig {
    std::string title;
    int width = 640;
    int height = 960;
    // Offscreen: SDL's dummy video driver and software renderer, no display needed.
    bool headless = false;
};

// The window (or headless surface) with its renderer and its event queue: the one place where
// the platform layer meets SDL. The scene graph only sees the Renderer.
class PlatformWindow {
public:
    virtual ~PlatformWindow() = default;

    // Opens an SDL window; null with a one-line reason when that is not possible. In window mode
    // a missing display is reported through displayMissing.
    static std::unique_ptr<PlatformWindow> open(const PlatformWindowConfig& config, std::string& error,
                                                bool& displayMissing);

    virtual Renderer& renderer() = 0;
    virtual bool isHeadless() const = 0;
    // Size in frame pixels (what mouse positions refer to).
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Size of what the renderer draws on, in its own pixels: more than the window's size on a
    // high-DPI display.
    virtual void outputSize(int& width, int& height) const = 0;
    // The renderer's name as SDL gives it ("software", "opengl", ...).
    virtual std::string rendererName() const = 0;
    virtual void setTitle(const std::string& title) = 0;
    // Windows are resizable by the user; this resizes from the program's side (headless frames
    // too). The new size comes back as a Resized event.
    virtual void resize(int width, int height) = 0;
    // Full screen at the desktop's resolution, or back to the window it was. Without a window
    // manager to carry out the request, the window fills its display by itself. A headless frame
    // has no screen to fill: it keeps its size and only remembers the state.
    virtual void setFullscreen(bool fullscreen) = 0;
    virtual bool isFullscreen() const = 0;
    // The icon the desktop shows for the window, from a PNG or JPEG file; false when the file
    // cannot be read.
    virtual bool setIcon(const std::string& imagePath) = 0;

    // Next pending event, false when there is none. waitEvent blocks up to timeoutMs for one.
    virtual bool pollEvent(PlatformEvent& event) = 0;
    virtual bool waitEvent(PlatformEvent& event, int timeoutMs) = 0;
    // Queues a synthetic event behind the real ones; it comes back through pollEvent exactly as
    // real input would (the driver script uses this).
    virtual void pushEvent(const PlatformEvent& event) = 0;

    virtual void setTextInputActive(bool active) = 0;
};

}  // namespace lirava
