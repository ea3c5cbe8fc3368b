#pragma once

#include "engine/actions/CCCallFunc.h"

namespace lirava {

// Calls a member function with the node that runs the action.
class CCCallFuncN : public CCCallFunc {
public:
    static CCCallFuncN* create(CCObject* selectorTarget, SEL_CallFuncN selector);

    CCObject* copy() override;

protected:
    void execute() override;

    SEL_CallFuncN m_callFuncN = nullptr;
};

}  // namespace lirava
