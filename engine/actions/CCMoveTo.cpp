#include "engine/actions/CCMoveTo.h"

#include "engine/nodes/CCNode.h"

namespace lirava {

CCMoveTo* CCMoveTo::create(float duration, const CCPoint& position) {
    CCMoveTo* action = new CCMoveTo();
    action->initWithDuration(duration, position);
    action->autorelease();
    return action;
}

bool CCMoveTo::initWithDuration(float duration, const CCPoint& position) {
    CCActionInterval::initWithDuration(duration);
    m_endPosition = position;
    return true;
}

CCObject* CCMoveTo::copy() {
    CCMoveTo* action = new CCMoveTo();
    action->initWithDuration(m_duration, m_endPosition);
    return action;
}

void CCMoveTo::startWithTarget(CCNode* target) {
    CCMoveBy::startWithTarget(target);
    m_delta = m_endPosition - m_startPosition;
}

}  // namespace lirava
