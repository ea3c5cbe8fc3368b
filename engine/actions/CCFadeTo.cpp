#include "engine/actions/CCFadeTo.h"

#include <cmath>

#include "engine/nodes/CCNode.h"
#include "engine/nodes/CCRGBAProtocol.h"

namespace lirava {

CCFadeTo* CCFadeTo::create(float duration, std::uint8_t opacity) {
    CCFadeTo* action = new CCFadeTo();
    action->initWithDuration(duration, opacity);
    action->autorelease();
    return action;
}

bool CCFadeTo::initWithDuration(float duration, std::uint8_t opacity) {
    CCActionInterval::initWithDuration(duration);
    m_toOpacity = opacity;
    return true;
}

CCObject* CCFadeTo::copy() {
    CCFadeTo* action = new CCFadeTo();
    action->initWithDuration(m_duration, m_toOpacity);
    return action;
}

void CCFadeTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(target)) {
        m_fromOpacity = rgba->getOpacity();
    }
}

void CCFadeTo::update(float time) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_target)) {
        const float value = m_fromOpacity + (static_cast<float>(m_toOpacity) - m_fromOpacity) * time;
        rgba->setOpacity(static_cast<std::uint8_t>(std::lround(std::fmin(255.0f, std::fmax(0.0f, value)))));
    }
}

}  // namespace lirava
