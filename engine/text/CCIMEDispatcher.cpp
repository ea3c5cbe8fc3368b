#include "engine/text/CCIMEDispatcher.h"

#include <algorithm>
#include <vector>

#include "engine/text/CCIMEDelegate.h"

namespace lirava {

namespace {
CCIMEDispatcher* g_dispatcher = nullptr;
}

struct CCIMEDispatcher::State {
    std::vector<CCIMEDelegate*> delegates;
    CCIMEDelegate* attached = nullptr;
    std::function<void(bool)> keyboardHandler;

    void setKeyboard(bool open) {
        if (keyboardHandler) {
            keyboardHandler(open);
        }
    }
};

CCIMEDispatcher* CCIMEDispatcher::sharedDispatcher() {
    if (!g_dispatcher) {
        g_dispatcher = new CCIMEDispatcher();
    }
    return g_dispatcher;
}

void CCIMEDispatcher::purgeSharedDispatcher() {
    delete g_dispatcher;
    g_dispatcher = nullptr;
}

// Delegates that outlive a purge must not bring a fresh dispatcher to life just to leave it.
CCIMEDispatcher* existingDispatcher() {
    return g_dispatcher;
}

CCIMEDispatcher::CCIMEDispatcher() : m_state(new State()) {}

CCIMEDispatcher::~CCIMEDispatcher() {
    delete m_state;
}

void CCIMEDispatcher::dispatchInsertText(const char* text, int length) {
    if (m_state->attached && text && length > 0) {
        m_state->attached->insertText(text, length);
    }
}

void CCIMEDispatcher::dispatchDeleteBackward() {
    if (m_state->attached) {
        m_state->attached->deleteBackward();
    }
}

bool CCIMEDispatcher::hasAttachedDelegate() const {
    return m_state->attached != nullptr;
}

void CCIMEDispatcher::setKeyboardStateHandler(std::function<void(bool open)> handler) {
    m_state->keyboardHandler = std::move(handler);
}

bool CCIMEDispatcher::attachDelegateWithIME(CCIMEDelegate* delegate) {
    std::vector<CCIMEDelegate*>& delegates = m_state->delegates;
    if (!delegate || std::find(delegates.begin(), delegates.end(), delegate) == delegates.end()) {
        return false;
    }
    CCIMEDelegate* old = m_state->attached;
    if (old == delegate) {
        return true;
    }
    // Both sides must agree before anything changes.
    if (old && !old->canDetachWithIME()) {
        return false;
    }
    if (!delegate->canAttachWithIME()) {
        return false;
    }
    m_state->attached = delegate;
    if (old) {
        old->didDetachWithIME();
    }
    delegate->didAttachWithIME();
    if (!old) {
        m_state->setKeyboard(true);
    }
    return true;
}

bool CCIMEDispatcher::detachDelegateWithIME(CCIMEDelegate* delegate) {
    if (!delegate || m_state->attached != delegate || !delegate->canDetachWithIME()) {
        return false;
    }
    m_state->attached = nullptr;
    delegate->didDetachWithIME();
    m_state->setKeyboard(false);
    return true;
}

void CCIMEDispatcher::addDelegate(CCIMEDelegate* delegate) {
    std::vector<CCIMEDelegate*>& delegates = m_state->delegates;
    if (delegate && std::find(delegates.begin(), delegates.end(), delegate) == delegates.end()) {
        delegates.push_back(delegate);
    }
}

void CCIMEDispatcher::removeDelegate(CCIMEDelegate* delegate) {
    std::vector<CCIMEDelegate*>& delegates = m_state->delegates;
    delegates.erase(std::remove(delegates.begin(), delegates.end(), delegate), delegates.end());
    if (m_state->attached == delegate) {
        // The delegate is going away: no hooks, but the keyboard closes.
        m_state->attached = nullptr;
        m_state->setKeyboard(false);
    }
}

}  // namespace lirava
