#pragma once

#include <cstdint>

#include "engine/base/ccTypes.h"

namespace lirava {

// Colour and opacity of a node. "Real" values are what was set on the node; "displayed" values
// are what it draws with after its parents' colour and opacity were cascaded into it.
class CCRGBAProtocol {
public:
    virtual ~CCRGBAProtocol() = default;

    virtual void setColor(const ccColor3B& color) = 0;
    virtual const ccColor3B& getColor() = 0;
    virtual const ccColor3B& getDisplayedColor() = 0;
    virtual std::uint8_t getDisplayedOpacity() = 0;
    virtual std::uint8_t getOpacity() = 0;
    virtual void setOpacity(std::uint8_t opacity) = 0;
    virtual void setOpacityModifyRGB(bool value) = 0;
    virtual bool isOpacityModifyRGB() = 0;
    virtual bool isCascadeColorEnabled() = 0;
    virtual void setCascadeColorEnabled(bool enabled) = 0;
    virtual void updateDisplayedColor(const ccColor3B& parentColor) = 0;
    virtual bool isCascadeOpacityEnabled() = 0;
    virtual void setCascadeOpacityEnabled(bool enabled) = 0;
    virtual void updateDisplayedOpacity(std::uint8_t parentOpacity) = 0;
};

}  // namespace lirava
