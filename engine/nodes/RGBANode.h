#pragma once

#include <cstdint>

#include "engine/base/CCArray.h"
#include "engine/nodes/CCRGBAProtocol.h"

namespace lirava {

// Colour and opacity for a node class (a plain node, a layer, a batch node): the node keeps what
// was set on it, draws with that mixed with what its parent cascades, and passes its own
// displayed values on to its colour children when cascading is enabled.
template <class NodeBase>
class RGBANode : public NodeBase, public CCRGBAProtocol {
public:
    void setColor(const ccColor3B& color) override {
        m_realColor = color;
        updateDisplayedColor(parentCascadedColor());
    }
    const ccColor3B& getColor() override { return m_realColor; }
    const ccColor3B& getDisplayedColor() override { return m_displayedColor; }
    std::uint8_t getDisplayedOpacity() override { return m_displayedOpacity; }
    std::uint8_t getOpacity() override { return m_realOpacity; }
    void setOpacity(std::uint8_t opacity) override {
        m_realOpacity = opacity;
        updateDisplayedOpacity(parentCascadedOpacity());
    }
    void setOpacityModifyRGB(bool /*value*/) override {}
    bool isOpacityModifyRGB() override { return false; }
    bool isCascadeColorEnabled() override { return m_cascadeColorEnabled; }
    void setCascadeColorEnabled(bool enabled) override { m_cascadeColorEnabled = enabled; }
    bool isCascadeOpacityEnabled() override { return m_cascadeOpacityEnabled; }
    void setCascadeOpacityEnabled(bool enabled) override { m_cascadeOpacityEnabled = enabled; }

    void updateDisplayedColor(const ccColor3B& parentColor) override {
        m_displayedColor.r = static_cast<std::uint8_t>(m_realColor.r * parentColor.r / 255);
        m_displayedColor.g = static_cast<std::uint8_t>(m_realColor.g * parentColor.g / 255);
        m_displayedColor.b = static_cast<std::uint8_t>(m_realColor.b * parentColor.b / 255);
        if (m_cascadeColorEnabled) {
            for (CCObject* object : *this->m_children) {
                if (CCRGBAProtocol* child = dynamic_cast<CCRGBAProtocol*>(object)) {
                    child->updateDisplayedColor(m_displayedColor);
                }
            }
        }
    }

    void updateDisplayedOpacity(std::uint8_t parentOpacity) override {
        m_displayedOpacity = static_cast<std::uint8_t>(m_realOpacity * parentOpacity / 255);
        if (m_cascadeOpacityEnabled) {
            for (CCObject* object : *this->m_children) {
                if (CCRGBAProtocol* child = dynamic_cast<CCRGBAProtocol*>(object)) {
                    child->updateDisplayedOpacity(m_displayedOpacity);
                }
            }
        }
    }

protected:
    // The displayed colour of the parent when it cascades, else white.
    ccColor3B parentCascadedColor() {
        CCRGBAProtocol* parent = dynamic_cast<CCRGBAProtocol*>(this->m_parent);
        return parent && parent->isCascadeColorEnabled() ? parent->getDisplayedColor() : ccWHITE;
    }
    // The displayed opacity of the parent when it cascades, else 255.
    std::uint8_t parentCascadedOpacity() {
        CCRGBAProtocol* parent = dynamic_cast<CCRGBAProtocol*>(this->m_parent);
        return parent && parent->isCascadeOpacityEnabled() ? parent->getDisplayedOpacity() : 255;
    }

    std::uint8_t m_displayedOpacity = 255;
    std::uint8_t m_realOpacity = 255;
    ccColor3B m_displayedColor = {255, 255, 255};
    ccColor3B m_realColor = {255, 255, 255};
    bool m_cascadeColorEnabled = false;
    bool m_cascadeOpacityEnabled = false;
};

}  // namespace lirava
