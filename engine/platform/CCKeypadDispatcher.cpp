#include "engine/platform/CCKeypadDispatcher.h"

#include <algorithm>

#include "engine/base/CCObject.h"
#include "engine/platform/CCDirector.h"
#include "engine/platform/CCTouchDelegate.h"
#include "engine/platform/CCTouchDispatcher.h"

namespace lirava {

namespace {

void retainDelegate(CCKeypadDelegate* delegate) {
    if (CCObject* object = dynamic_cast<CCObject*>(delegate)) {
        object->retain();
    }
}

void releaseDelegate(CCKeypadDelegate* delegate) {
    if (CCObject* object = dynamic_cast<CCObject*>(delegate)) {
        object->release();
    }
}

}  // namespace

CCKeypadDispatcher::~CCKeypadDispatcher() {
    removeAllDelegates();
}

void CCKeypadDispatcher::addDelegate(CCKeypadDelegate* delegate) {
    if (!delegate || isRegistered(delegate)) {
        return;
    }
    retainDelegate(delegate);
    m_delegates.push_back(delegate);
}

void CCKeypadDispatcher::removeDelegate(CCKeypadDelegate* delegate) {
    const auto found = std::find(m_delegates.begin(), m_delegates.end(), delegate);
    if (found == m_delegates.end()) {
        return;
    }
    m_delegates.erase(found);
    releaseDelegate(delegate);
}

void CCKeypadDispatcher::removeAllDelegates() {
    // Released after the list is empty: a delegate's destructor may come back here.
    std::vector<CCKeypadDelegate*> delegates;
    delegates.swap(m_delegates);
    for (CCKeypadDelegate* delegate : delegates) {
        releaseDelegate(delegate);
    }
}

bool CCKeypadDispatcher::isRegistered(const CCKeypadDelegate* delegate) const {
    return std::find(m_delegates.begin(), m_delegates.end(), delegate) != m_delegates.end();
}

bool CCKeypadDispatcher::isAcceptingKeys() const {
    CCDirector* director = CCDirector::sharedDirector();
    return director->getTouchDispatcher()->isDispatchEvents() && director->getNextScene() == nullptr;
}

bool CCKeypadDispatcher::dispatchKeyPressed(const std::string& name, bool repeat) {
    if (name.empty() || !isAcceptingKeys()) {
        return false;
    }
    // A delegate may change the registrations (a layer that replaces the scene, or leaves it);
    // walk a copy and keep every delegate alive through its own call.
    const std::vector<CCKeypadDelegate*> delegates(m_delegates.rbegin(), m_delegates.rend());
    for (CCKeypadDelegate* delegate : delegates) {
        if (!isRegistered(delegate)) {
            continue;
        }
        retainDelegate(delegate);
        const bool used = delegate->keyPressed(name, repeat);
        releaseDelegate(delegate);
        if (used) {
            return true;
        }
        // A key that asked for a scene change stops here even if its delegate did not say so.
        if (!isAcceptingKeys()) {
            return false;
        }
    }
    return false;
}

void CCKeypadDispatcher::dispatchKeyReleased(const std::string& name) {
    if (name.empty()) {
        return;
    }
    const std::vector<CCKeypadDelegate*> delegates(m_delegates.rbegin(), m_delegates.rend());
    for (CCKeypadDelegate* delegate : delegates) {
        if (!isRegistered(delegate)) {
            continue;
        }
        retainDelegate(delegate);
        delegate->keyReleased(name);
        releaseDelegate(delegate);
    }
}

}  // namespace lirava
