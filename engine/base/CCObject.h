#pragma once

#include <cstddef>

namespace lirava {

class CCNode;
class CCEvent;

// Reference-counted base of every engine object. An object starts with one reference owned by
// whoever made it; autorelease() hands that reference to the current autorelease pool, which
// drops it at the end of the frame.
class CCObject {
public:
    CCObject();
    CCObject(const CCObject&) = delete;
    CCObject& operator=(const CCObject&) = delete;
    virtual ~CCObject();

    void retain();
    void release();
    CCObject* autorelease();
    unsigned int retainCount() const { return m_referenceCount; }
    bool isSingleReference() const { return m_referenceCount == 1; }

    // A new object with one reference owned by the caller (not autoreleased), or null for
    // classes that cannot be copied. Actions override it.
    virtual CCObject* copy();
    virtual bool isEqual(const CCObject* other) const { return this == other; }
    // Per-frame hook used by the scheduler's update registrations.
    virtual void update(float dt) {}

    // Number of engine objects alive in the process; the leak checks read it.
    static std::size_t liveObjectCount();

private:
    unsigned int m_referenceCount = 1;
    unsigned int m_autoreleaseCount = 0;
    friend class CCAutoreleasePool;
};

// Member selectors: a target object and one of its member functions, the way callbacks are
// stored throughout the engine. The macros convert a member of a derived class.
typedef void (CCObject::*SEL_SCHEDULE)(float);
typedef void (CCObject::*SEL_CallFunc)();
typedef void (CCObject::*SEL_CallFuncN)(CCNode*);
typedef void (CCObject::*SEL_CallFuncO)(CCObject*);
typedef void (CCObject::*SEL_MenuHandler)(CCObject*);

#define schedule_selector(_SELECTOR) static_cast<::lirava::SEL_SCHEDULE>(&_SELECTOR)
#define callfunc_selector(_SELECTOR) static_cast<::lirava::SEL_CallFunc>(&_SELECTOR)
#define callfuncN_selector(_SELECTOR) static_cast<::lirava::SEL_CallFuncN>(&_SELECTOR)
#define callfuncO_selector(_SELECTOR) static_cast<::lirava::SEL_CallFuncO>(&_SELECTOR)
#define menu_selector(_SELECTOR) static_cast<::lirava::SEL_MenuHandler>(&_SELECTOR)

// Helpers for the "set a retained member" pattern.
#define CC_SAFE_RELEASE(p)  \
    do {                    \
        if (p) {            \
            (p)->release(); \
        }                   \
    } while (0)
#define CC_SAFE_RELEASE_NULL(p) \
    do {                        \
        if (p) {                \
            (p)->release();     \
            (p) = nullptr;      \
        }                       \
    } while (0)
#define CC_SAFE_RETAIN(p)  \
    do {                   \
        if (p) {           \
            (p)->retain(); \
        }                  \
    } while (0)

}  // namespace lirava
