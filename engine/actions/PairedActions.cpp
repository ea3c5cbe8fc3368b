#include "engine/actions/PairedActions.h"

#include "engine/base/CCArray.h"

namespace lirava::detail {

std::vector<CCFiniteTimeAction*> finiteActionsIn(CCArray* actions) {
    std::vector<CCFiniteTimeAction*> list;
    if (actions) {
        for (CCObject* object : *actions) {
            if (CCFiniteTimeAction* action = dynamic_cast<CCFiniteTimeAction*>(object)) {
                list.push_back(action);
            }
        }
    }
    return list;
}

}  // namespace lirava::detail
