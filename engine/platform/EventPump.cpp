#include "engine/platform/EventPump.h"

#include <utility>

#include "engine/platform/CCEGLView.h"
#include "engine/platform/KeyInput.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/text/CCIMEDispatcher.h"

namespace lirava {

EventPump::EventPump(Hooks hooks) : m_hooks(std::move(hooks)) {}

bool EventPump::isHover(const PlatformEvent& event) const {
    return event.type == PlatformEvent::Type::MouseMove && !m_touches.isDown();
}

EventEffect EventPump::drain(PlatformWindow& window) {
    EventEffect total;
    PlatformEvent event;
    while (!m_quit && window.pollEvent(event)) {
        const EventEffect effect = handle(event);
        total.wantsFrame = total.wantsFrame || effect.wantsFrame;
        total.redraw = total.redraw || effect.redraw;
    }
    return total;
}

EventEffect EventPump::handle(const PlatformEvent& event) {
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    const auto design = [view](const PlatformEvent& at) {
        return view->convertFrameToDesign(static_cast<float>(at.x), static_cast<float>(at.y));
    };
    EventEffect effect;
    effect.wantsFrame = true;
    switch (event.type) {
        case PlatformEvent::Type::Quit:
            m_quit = true;
            break;
        case PlatformEvent::Type::Minimized:
            if (!m_minimized) {
                m_minimized = true;
                m_touches.cancel();
                if (m_hooks.enteredBackground) {
                    m_hooks.enteredBackground();
                }
            }
            break;
        case PlatformEvent::Type::Restored:
            effect.redraw = true;
            if (m_minimized) {
                m_minimized = false;
                if (m_hooks.enteredForeground) {
                    m_hooks.enteredForeground();
                }
            }
            break;
        case PlatformEvent::Type::Exposed:
            effect.redraw = true;
            break;
        case PlatformEvent::Type::FocusLost:
            m_touches.cancel();
            break;
        case PlatformEvent::Type::MouseDown:
            // The bars beside a letterboxed page are no part of it.
            if (view->isFramePointOnPage(static_cast<float>(event.x), static_cast<float>(event.y))) {
                m_touches.press(design(event));
            }
            break;
        case PlatformEvent::Type::MouseMove:
            // A mouse that only hovers changes nothing.
            effect.wantsFrame = m_touches.isDown();
            m_touches.move(design(event));
            break;
        case PlatformEvent::Type::MouseUp:
            m_touches.release(design(event));
            break;
        case PlatformEvent::Type::TextInput:
            CCIMEDispatcher::sharedDispatcher()->dispatchInsertText(event.text.c_str(),
                                                                    static_cast<int>(event.text.size()));
            break;
        case PlatformEvent::Type::KeyDown:
            // Full screen is the window's business, whatever the program does with keys.
            if (event.text == "F11") {
                if (!event.repeat) {
                    view->toggleFullScreen();
                }
            } else {
                dispatchKeyPress(event.text, event.repeat);
            }
            break;
        case PlatformEvent::Type::KeyUp:
            if (event.text != "F11") {
                dispatchKeyRelease(event.text);
            }
            break;
        case PlatformEvent::Type::Resized:
            view->windowResized(event.x, event.y);
            break;
        case PlatformEvent::Type::None:
            break;
    }
    return effect;
}

}  // namespace lirava
