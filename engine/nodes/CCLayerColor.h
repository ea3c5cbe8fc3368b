#pragma once

#include "engine/base/ccTypes.h"
#include "engine/nodes/CCLayerRGBA.h"
#include "engine/render/Renderer.h"

namespace lirava {

// A layer filled with one colour: a quad of its content size (the window size unless given).
class CCLayerColor : public CCLayerRGBA {
public:
    static CCLayerColor* create();
    static CCLayerColor* create(const ccColor4B& color);
    static CCLayerColor* create(const ccColor4B& color, float width, float height);
    bool init() override;
    virtual bool initWithColor(const ccColor4B& color);
    virtual bool initWithColor(const ccColor4B& color, float width, float height);

    void changeWidth(float width);
    void changeHeight(float height);
    void changeWidthAndHeight(float width, float height);

    void setContentSize(const CCSize& size) override;
    void setColor(const ccColor3B& color) override;
    void setOpacity(std::uint8_t opacity) override;
    void updateDisplayedColor(const ccColor3B& parentColor) override;
    void updateDisplayedOpacity(std::uint8_t parentOpacity) override;

    BlendMode getBlendMode() const { return m_blend; }
    void setBlendMode(BlendMode blend) { m_blend = blend; }

    void draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) override;

protected:
    // Colours of the four corners (bottom-left, bottom-right, top-left, top-right).
    virtual void updateColor();

    ccColor4B m_cornerColors[4] = {};
    BlendMode m_blend = BlendMode::Alpha;
};

}  // namespace lirava
