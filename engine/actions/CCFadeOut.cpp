#include "engine/actions/CCFadeOut.h"

#include <cmath>

#include "engine/actions/CCFadeIn.h"
#include "engine/nodes/CCNode.h"
#include "engine/nodes/CCRGBAProtocol.h"

namespace lirava {

CCFadeOut* CCFadeOut::create(float duration) {
    CCFadeOut* action = new CCFadeOut();
    action->initWithDuration(duration);
    action->autorelease();
    return action;
}

CCObject* CCFadeOut::copy() {
    CCFadeOut* action = new CCFadeOut();
    action->initWithDuration(m_duration);
    return action;
}

void CCFadeOut::update(float time) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_target)) {
        const float t = std::fmin(1.0f, std::fmax(0.0f, time));
        rgba->setOpacity(static_cast<std::uint8_t>(std::lround(255.0f * (1.0f - t))));
    }
}

CCFiniteTimeAction* CCFadeOut::reverse() {
    return CCFadeIn::create(m_duration);
}

}  // namespace lirava
