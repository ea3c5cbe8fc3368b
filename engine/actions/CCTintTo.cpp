#include "engine/actions/CCTintTo.h"

#include <cmath>

#include "engine/nodes/CCNode.h"
#include "engine/nodes/CCRGBAProtocol.h"

namespace lirava {

namespace {
std::uint8_t mix(std::uint8_t from, std::uint8_t to, float time) {
    const float value = from + (static_cast<float>(to) - from) * time;
    return static_cast<std::uint8_t>(std::lround(std::fmin(255.0f, std::fmax(0.0f, value))));
}
}  // namespace

CCTintTo* CCTintTo::create(float duration, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    CCTintTo* action = new CCTintTo();
    action->initWithDuration(duration, red, green, blue);
    action->autorelease();
    return action;
}

bool CCTintTo::initWithDuration(float duration, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    CCActionInterval::initWithDuration(duration);
    m_to = ccc3(red, green, blue);
    return true;
}

CCObject* CCTintTo::copy() {
    CCTintTo* action = new CCTintTo();
    action->initWithDuration(m_duration, m_to.r, m_to.g, m_to.b);
    return action;
}

void CCTintTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(target)) {
        m_from = rgba->getColor();
    }
}

void CCTintTo::update(float time) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_target)) {
        rgba->setColor(ccc3(mix(m_from.r, m_to.r, time), mix(m_from.g, m_to.g, time), mix(m_from.b, m_to.b, time)));
    }
}

}  // namespace lirava
