#include "engine/actions/CCCallFunc.h"

namespace lirava {

CCCallFunc* CCCallFunc::create(CCObject* selectorTarget, SEL_CallFunc selector) {
    CCCallFunc* action = new CCCallFunc();
    action->initWithTarget(selectorTarget);
    action->m_callFunc = selector;
    action->autorelease();
    return action;
}

bool CCCallFunc::initWithTarget(CCObject* selectorTarget) {
    CC_SAFE_RETAIN(selectorTarget);
    CC_SAFE_RELEASE(m_selectorTarget);
    m_selectorTarget = selectorTarget;
    return true;
}

CCCallFunc::~CCCallFunc() {
    CC_SAFE_RELEASE(m_selectorTarget);
}

CCObject* CCCallFunc::copy() {
    CCCallFunc* action = new CCCallFunc();
    action->initWithTarget(m_selectorTarget);
    action->m_callFunc = m_callFunc;
    return action;
}

void CCCallFunc::update(float time) {
    execute();
}

void CCCallFunc::execute() {
    // Copied into locals first: GCC's vptr sanitizer misreads a member-pointer call made
    // straight on a member.
    CCObject* receiver = m_selectorTarget;
    const SEL_CallFunc selector = m_callFunc;
    if (receiver && selector) {
        (receiver->*selector)();
    }
}

CCFiniteTimeAction* CCCallFunc::reverse() {
    return static_cast<CCFiniteTimeAction*>(copy()->autorelease());
}

}  // namespace lirava
