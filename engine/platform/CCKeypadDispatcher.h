#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lirava {

class CCKeypadDelegate;

// Hands key presses to the registered delegates, newest first, until one of them uses the key;
// releases go to every delegate. Layers with the keypad enabled register themselves while they
// are on stage, so the layers of the running scene get the keys.
//
// Keys are input like touches, and they stop where touches stop: while the touch dispatcher is
// switched off (a scene transition runs) and while a scene change is waiting for the next frame,
// no delegate gets a key press. The layer that asked for the change is on its way out, and a
// second key must not act on it again.
//
// Delegates that are CCObjects are retained while registered. Registrations and removals made by
// a delegate during a dispatch are safe: a delegate removed before its turn is skipped, one added
// during the dispatch gets the next key.
class CCKeypadDispatcher {
public:
    CCKeypadDispatcher() = default;
    ~CCKeypadDispatcher();
    CCKeypadDispatcher(const CCKeypadDispatcher&) = delete;
    CCKeypadDispatcher& operator=(const CCKeypadDispatcher&) = delete;

    // A delegate is registered once; adding it again is ignored.
    void addDelegate(CCKeypadDelegate* delegate);
    void removeDelegate(CCKeypadDelegate* delegate);
    void removeAllDelegates();
    bool isRegistered(const CCKeypadDelegate* delegate) const;
    std::size_t delegateCount() const { return m_delegates.size(); }

    // Whether key presses would reach a delegate now (see above).
    bool isAcceptingKeys() const;

    // True when a delegate used the key. Names are SDL's key names.
    bool dispatchKeyPressed(const std::string& name, bool repeat);
    void dispatchKeyReleased(const std::string& name);

private:
    std::vector<CCKeypadDelegate*> m_delegates;  // oldest first
};

}  // namespace lirava
