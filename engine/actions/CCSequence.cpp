#include "engine/actions/CCSequence.h"

#include "engine/actions/NoAction.h"

namespace lirava {

CCSequence* CCSequence::createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    if (!one || !two) {
        return nullptr;
    }
    CCSequence* sequence = new CCSequence();
    sequence->initWithTwoActions(one, two);
    sequence->autorelease();
    return sequence;
}

CCSequence* CCSequence::create(CCArray* actions) {
    return detail::pairUp<CCSequence>(detail::finiteActionsIn(actions));
}

bool CCSequence::initWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    if (!one || !two) {
        return false;
    }
    const float first = detail::effectiveDuration(one);
    const float total = first + detail::effectiveDuration(two);
    CCActionInterval::initWithDuration(total);
    one->retain();
    two->retain();
    CC_SAFE_RELEASE(m_actions[0]);
    CC_SAFE_RELEASE(m_actions[1]);
    m_actions[0] = one;
    m_actions[1] = two;
    // With no duration at all both parts run on the single update(1).
    m_split = total > 0.0f ? first / total : 1.0f;
    return true;
}

CCSequence::~CCSequence() {
    CC_SAFE_RELEASE(m_actions[0]);
    CC_SAFE_RELEASE(m_actions[1]);
}

CCObject* CCSequence::copy() {
    CCFiniteTimeAction* one = static_cast<CCFiniteTimeAction*>(m_actions[0]->copy());
    CCFiniteTimeAction* two = static_cast<CCFiniteTimeAction*>(m_actions[1]->copy());
    CCSequence* sequence = nullptr;
    if (one && two) {
        sequence = new CCSequence();
        sequence->initWithTwoActions(one, two);
    }
    CC_SAFE_RELEASE(one);
    CC_SAFE_RELEASE(two);
    return sequence;
}

void CCSequence::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_last = -1;
}

void CCSequence::stop() {
    if (m_last != -1) {
        m_actions[m_last]->stop();
    }
    CCActionInterval::stop();
}

void CCSequence::update(float time) {
    int found = 0;
    float localTime = 0.0f;
    if (time < m_split) {
        localTime = m_split > 0.0f ? time / m_split : 1.0f;
    } else {
        found = 1;
        localTime = m_split >= 1.0f ? 1.0f : (time - m_split) / (1.0f - m_split);
    }

    if (found == 1) {
        if (m_last == -1) {
            // The first part was skipped over within one frame: it still makes its whole change.
            m_actions[0]->startWithTarget(m_target);
            m_actions[0]->update(1.0f);
            m_actions[0]->stop();
        } else if (m_last == 0) {
            m_actions[0]->update(1.0f);
            m_actions[0]->stop();
        }
        if (!m_target) {
            return;  // the first part's end stopped this sequence
        }
    } else if (m_last == 1) {
        // Time went backwards: undo the second part before the first runs again.
        m_actions[1]->update(0.0f);
        m_actions[1]->stop();
    }

    CCFiniteTimeAction* action = m_actions[found];
    if (found == m_last && action->isDone()) {
        return;
    }
    if (found != m_last) {
        action->startWithTarget(m_target);
    }
    m_last = found;
    action->update(localTime);
}

CCFiniteTimeAction* CCSequence::reverse() {
    CCFiniteTimeAction* two = m_actions[1]->reverse();
    CCFiniteTimeAction* one = m_actions[0]->reverse();
    if (!one || !two) {
        return nullptr;
    }
    return createWithTwoActions(two, one);
}

}  // namespace lirava
