#include "engine/actions/CCFadeIn.h"

#include <cmath>

#include "engine/actions/CCFadeOut.h"
#include "engine/nodes/CCNode.h"
#include "engine/nodes/CCRGBAProtocol.h"

namespace lirava {

CCFadeIn* CCFadeIn::create(float duration) {
    CCFadeIn* action = new CCFadeIn();
    action->initWithDuration(duration);
    action->autorelease();
    return action;
}

CCObject* CCFadeIn::copy() {
    CCFadeIn* action = new CCFadeIn();
    action->initWithDuration(m_duration);
    return action;
}

void CCFadeIn::update(float time) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_target)) {
        rgba->setOpacity(static_cast<std::uint8_t>(std::lround(255.0f * std::fmin(1.0f, std::fmax(0.0f, time)))));
    }
}

CCFiniteTimeAction* CCFadeIn::reverse() {
    return CCFadeOut::create(m_duration);
}

}  // namespace lirava
