#include "engine/actions/CCCallFuncN.h"

namespace lirava {

CCCallFuncN* CCCallFuncN::create(CCObject* selectorTarget, SEL_CallFuncN selector) {
    CCCallFuncN* action = new CCCallFuncN();
    action->initWithTarget(selectorTarget);
    action->m_callFuncN = selector;
    action->autorelease();
    return action;
}

CCObject* CCCallFuncN::copy() {
    CCCallFuncN* action = new CCCallFuncN();
    action->initWithTarget(m_selectorTarget);
    action->m_callFuncN = m_callFuncN;
    return action;
}

void CCCallFuncN::execute() {
    CCObject* receiver = m_selectorTarget;
    const SEL_CallFuncN selector = m_callFuncN;
    CCNode* node = m_target;
    if (receiver && selector) {
        (receiver->*selector)(node);
    }
}

}  // namespace lirava
