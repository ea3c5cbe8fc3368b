#pragma once

#include <string>

#include "engine/base/CCGeometry.h"
#include "engine/base/ccTypes.h"
#include "engine/render/PageViewport.h"

namespace lirava {

class PlatformWindow;
class Renderer;

// The program's view of its window: title, frame size (window pixels), design resolution and
// the mapping between the two. The window the program opens shows the design area by exact fit
// (stretched over the whole frame, whatever the policy asked for). Once the window changes size
// (the reader resizes it, a script does, or full screen comes or goes) the page keeps its
// proportions instead: letterboxed, at the largest scale that fits, centred, with plain bars on
// the free sides, and touches on the bars reach nothing. Either way the visible origin is (0, 0)
// and the visible size is the design size.
//
// Drawing uses the renderer's output pixels, mouse positions the window's (the two differ on a
// high-DPI display); both follow the same page rectangle.
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
    // page is letterboxed from now on, and touches and drawing follow it. Sizes below one pixel
    // are ignored, and so is a report of the size the window has.
    void windowResized(int width, int height);

    // Full screen at the desktop's resolution, the page letterboxed on it (and in the window
    // after it). Without a window these only remember the wish, for the window to come.
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
    // Frame (window) pixels per design unit; design units per frame pixel would be 1 / these.
    float getScaleX() const;
    float getScaleY() const;

    bool isLetterboxed() const { return m_letterboxed; }
    // The page's rectangle and bars in the renderer's output pixels now (the frame size stands
    // in for the output without a window).
    PageViewport getPageViewport() const;
    // Output (drawable) pixels per design unit that drawing uses now: the uniform scale when
    // letterboxed, else the larger of the two axis scales. Text asks when it draws, to know the
    // size to rasterise at.
    float getPixelsPerDesignUnit() const;

    // Frame pixel (origin top-left, y down) to design point (origin bottom-left, y up), and back.
    CCPoint convertFrameToDesign(float x, float y) const;
    CCPoint convertDesignToFrame(const CCPoint& design) const;
    // Whether a frame pixel lies on the page rather than on a bar.
    bool isFramePointOnPage(float x, float y) const;

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
    void setLetterboxed(bool letterboxed);
    // Output pixels per frame pixel on each axis.
    void outputPerFramePixel(float& x, float& y) const;

    std::string m_viewName;
    CCSize m_frameSize = CCSize(640.0f, 960.0f);
    CCSize m_designSize = CCSize(640.0f, 960.0f);
    ResolutionPolicy m_policy = kResolutionExactFit;
    PlatformWindow* m_window = nullptr;
    bool m_endRequested = false;
    bool m_imeKeyboardOpen = false;
    bool m_fullScreenWanted = false;
    bool m_letterboxed = false;
    std::string m_iconFile;
    bool m_iconSet = false;
};

}  // namespace lirava
