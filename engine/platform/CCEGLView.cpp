#include "engine/platform/CCEGLView.h"

#include <algorithm>
#include <cmath>

#include "engine/platform/PlatformWindow.h"
#include "engine/render/Renderer.h"

namespace lirava {

namespace {
CCEGLView* g_view = nullptr;
}

CCEGLView* CCEGLView::sharedOpenGLView() {
    if (!g_view) {
        g_view = new CCEGLView();
    }
    return g_view;
}

void CCEGLView::purgeSharedOpenGLView() {
    delete g_view;
    g_view = nullptr;
}

void CCEGLView::setViewName(const char* name) {
    m_viewName = name ? name : "";
    if (m_window) {
        m_window->setTitle(m_viewName);
    }
}

void CCEGLView::setFrameSize(float width, float height) {
    // Nonsense sizes (zero, negative, not a number) would break every mapping; keep the old one.
    if (!(width >= 1.0f) || !(height >= 1.0f) || !std::isfinite(width) || !std::isfinite(height)) {
        return;
    }
    m_frameSize = CCSize(width, height);
    if (m_window && !m_window->isHeadless()) {
        m_window->resize(static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height)));
        m_frameSize = CCSize(static_cast<float>(m_window->width()), static_cast<float>(m_window->height()));
    }
}

void CCEGLView::windowResized(int width, int height) {
    if (width < 1 || height < 1) {
        return;
    }
    const CCSize size(static_cast<float>(width), static_cast<float>(height));
    if (size.width != m_frameSize.width || size.height != m_frameSize.height) {
        m_frameSize = size;
        setLetterboxed(true);
    }
}

void CCEGLView::setLetterboxed(bool letterboxed) {
    m_letterboxed = letterboxed;
    if (Renderer* renderer = getRenderer()) {
        renderer->setLetterboxed(letterboxed);
    }
}

void CCEGLView::setFullScreen(bool fullScreen) {
    m_fullScreenWanted = fullScreen;
    if (m_window) {
        setLetterboxed(true);
        m_window->setFullscreen(fullScreen);
        // The window may take its new size at once (no event comes for a size it already has).
        windowResized(m_window->width(), m_window->height());
    }
}

bool CCEGLView::isFullScreen() const {
    return m_window ? m_window->isFullscreen() : m_fullScreenWanted;
}

void CCEGLView::setIconFile(const std::string& path) {
    m_iconFile = path;
    m_iconSet = m_window && !path.empty() && m_window->setIcon(path);
}

void CCEGLView::setDesignResolutionSize(float width, float height, ResolutionPolicy policy) {
    if (!(width > 0.0f) || !(height > 0.0f) || !std::isfinite(width) || !std::isfinite(height)) {
        return;
    }
    m_designSize = CCSize(width, height);
    m_policy = policy;
    if (Renderer* renderer = getRenderer()) {
        renderer->setDesignSize(m_designSize);
    }
}

PageViewport CCEGLView::getPageViewport() const {
    int width = 0;
    int height = 0;
    if (m_window) {
        m_window->outputSize(width, height);
    }
    if (width < 1 || height < 1) {
        width = static_cast<int>(std::lround(m_frameSize.width));
        height = static_cast<int>(std::lround(m_frameSize.height));
    }
    return PageViewport::fit(m_designSize, width, height, m_letterboxed);
}

float CCEGLView::getPixelsPerDesignUnit() const {
    return getPageViewport().scale;
}

void CCEGLView::outputPerFramePixel(float& x, float& y) const {
    const PageViewport page = getPageViewport();
    // Mouse positions are in the window's own coordinates, whatever size the program asked for.
    const float width = m_window && m_window->width() >= 1 ? static_cast<float>(m_window->width()) : m_frameSize.width;
    const float height =
        m_window && m_window->height() >= 1 ? static_cast<float>(m_window->height()) : m_frameSize.height;
    x = static_cast<float>(page.areaWidth) / width;
    y = static_cast<float>(page.areaHeight) / height;
}

float CCEGLView::getScaleX() const {
    float x = 1.0f;
    float y = 1.0f;
    outputPerFramePixel(x, y);
    return static_cast<float>(getPageViewport().width) / x / m_designSize.width;
}

float CCEGLView::getScaleY() const {
    float x = 1.0f;
    float y = 1.0f;
    outputPerFramePixel(x, y);
    return static_cast<float>(getPageViewport().height) / y / m_designSize.height;
}

CCPoint CCEGLView::convertFrameToDesign(float x, float y) const {
    float sx = 1.0f;
    float sy = 1.0f;
    outputPerFramePixel(sx, sy);
    return getPageViewport().pixelToDesign(x * sx, y * sy);
}

CCPoint CCEGLView::convertDesignToFrame(const CCPoint& design) const {
    float sx = 1.0f;
    float sy = 1.0f;
    outputPerFramePixel(sx, sy);
    const CCPoint pixel = getPageViewport().designToPixel(design.x, design.y);
    return CCPoint(pixel.x / sx, pixel.y / sy);
}

bool CCEGLView::isFramePointOnPage(float x, float y) const {
    float sx = 1.0f;
    float sy = 1.0f;
    outputPerFramePixel(sx, sy);
    return getPageViewport().containsPixel(x * sx, y * sy);
}

void CCEGLView::setIMEKeyboardState(bool open) {
    m_imeKeyboardOpen = open;
    if (m_window) {
        m_window->setTextInputActive(open);
    }
}

void CCEGLView::attachWindow(PlatformWindow* window) {
    m_window = window;
    m_endRequested = false;
    m_iconSet = false;
    // A new window starts by exact fit; one that opens full screen is letterboxed at once.
    m_letterboxed = window && m_fullScreenWanted;
    if (window) {
        window->renderer().setLetterboxed(m_letterboxed);
        if (m_fullScreenWanted) {
            window->setFullscreen(true);
        }
        m_frameSize = CCSize(static_cast<float>(window->width()), static_cast<float>(window->height()));
        window->renderer().setDesignSize(m_designSize);
        window->setTextInputActive(m_imeKeyboardOpen);
        m_iconSet = !m_iconFile.empty() && window->setIcon(m_iconFile);
    }
}

Renderer* CCEGLView::getRenderer() const {
    return m_window ? &m_window->renderer() : nullptr;
}

}  // namespace lirava
