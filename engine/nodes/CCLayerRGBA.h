#pragma once

#include "engine/nodes/CCLayer.h"
#include "engine/nodes/CCRGBAProtocol.h"

namespace lirava {

// A layer with colour and opacity, cascading both to its colour children when asked to (the
// same behaviour as CCNodeRGBA). Base of colour layers and menus.
class CCLayerRGBA : public CCLayer, public CCRGBAProtocol {
public:
    static CCLayerRGBA* create();

    void setColor(const ccColor3B& color) override;
    const ccColor3B& getColor() override { return m_realColor; }
    const ccColor3B& getDisplayedColor() override { return m_displayedColor; }
    std::uint8_t getDisplayedOpacity() override { return m_displayedOpacity; }
    std::uint8_t getOpacity() override { return m_realOpacity; }
    void setOpacity(std::uint8_t opacity) override;
    void setOpacityModifyRGB(bool value) override {}
    bool isOpacityModifyRGB() override { return false; }
    bool isCascadeColorEnabled() override { return m_cascadeColorEnabled; }
    void setCascadeColorEnabled(bool enabled) override { m_cascadeColorEnabled = enabled; }
    void updateDisplayedColor(const ccColor3B& parentColor) override;
    bool isCascadeOpacityEnabled() override { return m_cascadeOpacityEnabled; }
    void setCascadeOpacityEnabled(bool enabled) override { m_cascadeOpacityEnabled = enabled; }
    void updateDisplayedOpacity(std::uint8_t parentOpacity) override;

protected:
    // The displayed colour of the parent when it cascades, else white / 255.
    ccColor3B parentCascadedColor();
    std::uint8_t parentCascadedOpacity();

    std::uint8_t m_displayedOpacity = 255;
    std::uint8_t m_realOpacity = 255;
    ccColor3B m_displayedColor = {255, 255, 255};
    ccColor3B m_realColor = {255, 255, 255};
    bool m_cascadeColorEnabled = false;
    bool m_cascadeOpacityEnabled = false;
};

}  // namespace lirava
