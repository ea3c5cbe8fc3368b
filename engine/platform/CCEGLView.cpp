#include "engine/platform/CCEGLView.h"

#include <algorithm>
#include <cmath>

#include "engine/platform/PlatformWindow.h"
#include "engine/render/ExactFit.h"
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
    if (width >= 1 && height >= 1) {
        m_frameSize = CCSize(static_cast<float>(width), static_cast<float>(height));
    }
}

void CCEGLView::setFullScreen(bool fullScreen) {
    m_fullScreenWanted = fullScreen;
    if (m_window) {
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

float CCEGLView::getScaleX() const {
    return m_frameSize.width / m_designSize.width;
}

float CCEGLView::getScaleY() const {
    return m_frameSize.height / m_designSize.height;
}

float CCEGLView::getPixelsPerDesignUnit() const {
    return std::max(getScaleX(), getScaleY());
}

CCPoint CCEGLView::convertFrameToDesign(float x, float y) const {
    return ExactFit{m_designSize, m_frameSize.width, m_frameSize.height}.pixelToDesign(x, y);
}

CCPoint CCEGLView::convertDesignToFrame(const CCPoint& design) const {
    return ExactFit{m_designSize, m_frameSize.width, m_frameSize.height}.designToPixel(design.x, design.y);
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
    if (window) {
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
