#pragma once

#include <string>

#include "engine/base/CCGeometry.h"
#include "engine/base/ccTypes.h"

namespace lirava {

class PlatformWindow;
class Renderer;

// The program's view of its window: title, frame size (window pixels), design resolution and
// the mapping between the two. Every policy is treated as exact fit: the design area is
// stretched over the whole frame, so the visible origin is (0, 0) and the visible size is the
// design size.
//
// Until the program sets them, frame and design size are both 640 x 960. The platform window
// itself is attached by CCApplication::run.
class CCEGLView {
public:
    static CCEGLView* sharedOpenGLView();
    // Forgets the shared view (tests; the application detaches its window first).
    static void purgeSharedOpenGLView();

    void setViewName(const char* name);
    const char* getViewName() const { return m_viewName.c_str(); }

    // Before the window opens this picks its size; afterwards it resizes the window (headless
    // frames keep the size they were opened with).
    void setFrameSize(float width, float height);
    CCSize getFrameSize() const { return m_frameSize; }
    // The window reports a new size (the reader resized it, or full screen came or went): the
    // mapping of touches and drawing follows it. Sizes below one pixel are ignored.
    void windowResized(int width, int height);

    // Full screen at the desktop's resolution; the design area stretches over it as over the
    // window. Without a window these only remember the wish, for the window to come.
    void setFullScreen(bool fullScreen);
    bool isFullScreen() const;
    void toggleFullScreen() { setFullScreen(!isFullScreen()); }

    // The window's icon, from an image file (a full path). Set before the window opens, it is
    // given to the window when it opens. hasIcon tells whether the window took it.
    void setIconFile(const std::string& path);
    const std::string& getIconFile() const { return m_iconFile; }
    bool hasIcon() const { return m_iconSet; }

    void setDesignResolutionSize(float width, float height, ResolutionPolicy policy);
    CCSize getDesignResolutionSize() const { return m_designSize; }
    ResolutionPolicy getResolutionPolicy() const { return m_policy; }
    CCSize getVisibleSize() const { return m_designSize; }
    CCPoint getVisibleOrigin() const { return CCPointZero; }
    // Design units per frame pixel would be 1 / these.
    float getScaleX() const;
    float getScaleY() const;
    // Output pixels per design unit: what text is rasterised for.
    float getPixelsPerDesignUnit() const;

    // Frame pixel (origin top-left, y down) to design point (origin bottom-left, y up), and back.
    CCPoint convertFrameToDesign(float x, float y) const;
    CCPoint convertDesignToFrame(const CCPoint& design) const;

    // Asks the main loop to end after the current frame.
    void end() { m_endRequested = true; }
    bool isEndRequested() const { return m_endRequested; }

    // Keyboard text input on or off (text fields switch it through the input-method dispatcher).
    void setIMEKeyboardState(bool open);
    bool isIMEKeyboardOpen() const { return m_imeKeyboardOpen; }

    // The platform window while the application runs; null before and after.
    void attachWindow(PlatformWindow* window);
    PlatformWindow* getWindow() const { return m_window; }
    bool isOpenGLReady() const { return m_window != nullptr; }
    // The window's renderer, or null without a window.
    Renderer* getRenderer() const;

private:
    CCEGLView() = default;

    std::string m_viewName;
    CCSize m_frameSize = CCSize(640.0f, 960.0f);
    CCSize m_designSize = CCSize(640.0f, 960.0f);
    ResolutionPolicy m_policy = kResolutionExactFit;
    PlatformWindow* m_window = nullptr;
    bool m_endRequested = false;
    bool m_imeKeyboardOpen = false;
    bool m_fullScreenWanted = false;
    std::string m_iconFile;
    bool m_iconSet = false;
};

}  // namespace lirava
