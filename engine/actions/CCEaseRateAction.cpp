#include "engine/actions/CCEaseRateAction.h"

namespace lirava {

bool CCEaseRateAction::initWithAction(CCActionInterval* action, float rate) {
    if (!CCActionEase::initWithAction(action)) {
        return false;
    }
    m_rate = rate;
    return true;
}

}  // namespace lirava
