#include "engine/nodes/CCLayerRGBA.h"

namespace lirava {

CCLayerRGBA* CCLayerRGBA::create() {
    CCLayerRGBA* node = new CCLayerRGBA();
    if (node->init()) {
        node->autorelease();
        return node;
    }
    delete node;
    return nullptr;
}

ccColor3B CCLayerRGBA::parentCascadedColor() {
    CCRGBAProtocol* parent = dynamic_cast<CCRGBAProtocol*>(m_parent);
    if (parent && parent->isCascadeColorEnabled()) {
        return parent->getDisplayedColor();
    }
    return ccWHITE;
}

std::uint8_t CCLayerRGBA::parentCascadedOpacity() {
    CCRGBAProtocol* parent = dynamic_cast<CCRGBAProtocol*>(m_parent);
    if (parent && parent->isCascadeOpacityEnabled()) {
        return parent->getDisplayedOpacity();
    }
    return 255;
}

void CCLayerRGBA::setColor(const ccColor3B& color) {
    m_realColor = color;
    updateDisplayedColor(parentCascadedColor());
}

void CCLayerRGBA::setOpacity(std::uint8_t opacity) {
    m_realOpacity = opacity;
    updateDisplayedOpacity(parentCascadedOpacity());
}

void CCLayerRGBA::updateDisplayedColor(const ccColor3B& parentColor) {
    m_displayedColor.r = static_cast<std::uint8_t>(m_realColor.r * parentColor.r / 255);
    m_displayedColor.g = static_cast<std::uint8_t>(m_realColor.g * parentColor.g / 255);
    m_displayedColor.b = static_cast<std::uint8_t>(m_realColor.b * parentColor.b / 255);
    if (m_cascadeColorEnabled) {
        for (CCObject* object : *m_children) {
            if (CCRGBAProtocol* child = dynamic_cast<CCRGBAProtocol*>(object)) {
                child->updateDisplayedColor(m_displayedColor);
            }
        }
    }
}

void CCLayerRGBA::updateDisplayedOpacity(std::uint8_t parentOpacity) {
    m_displayedOpacity = static_cast<std::uint8_t>(m_realOpacity * parentOpacity / 255);
    if (m_cascadeOpacityEnabled) {
        for (CCObject* object : *m_children) {
            if (CCRGBAProtocol* child = dynamic_cast<CCRGBAProtocol*>(object)) {
                child->updateDisplayedOpacity(m_displayedOpacity);
            }
        }
    }
}

}  // namespace lirava
