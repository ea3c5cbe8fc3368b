#include "engine/nodes/CCLayerColor.h"

#include "engine/platform/CCDirector.h"

namespace lirava {

CCLayerColor* CCLayerColor::create() {
    CCLayerColor* layer = new CCLayerColor();
    if (layer->init()) {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color) {
    CCLayerColor* layer = new CCLayerColor();
    if (layer->initWithColor(color)) {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color, float width, float height) {
    CCLayerColor* layer = new CCLayerColor();
    if (layer->initWithColor(color, width, height)) {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

bool CCLayerColor::init() {
    return initWithColor(ccc4(0, 0, 0, 0));
}

bool CCLayerColor::initWithColor(const ccColor4B& color) {
    const CCSize size = CCDirector::sharedDirector()->getWinSize();
    return initWithColor(color, size.width, size.height);
}

bool CCLayerColor::initWithColor(const ccColor4B& color, float width, float height) {
    if (!CCLayer::init()) {
        return false;
    }
    m_realColor = ccc3(color.r, color.g, color.b);
    m_realOpacity = color.a;
    m_displayedColor = m_realColor;
    m_displayedOpacity = m_realOpacity;
    setContentSize(CCSize(width, height));
    updateColor();
    return true;
}

void CCLayerColor::changeWidth(float width) {
    setContentSize(CCSize(width, m_contentSize.height));
}

void CCLayerColor::changeHeight(float height) {
    setContentSize(CCSize(m_contentSize.width, height));
}

void CCLayerColor::changeWidthAndHeight(float width, float height) {
    setContentSize(CCSize(width, height));
}

void CCLayerColor::setContentSize(const CCSize& size) {
    CCLayerRGBA::setContentSize(size);
}

void CCLayerColor::setColor(const ccColor3B& color) {
    CCLayerRGBA::setColor(color);
    updateColor();
}

void CCLayerColor::setOpacity(std::uint8_t opacity) {
    CCLayerRGBA::setOpacity(opacity);
    updateColor();
}

void CCLayerColor::updateDisplayedColor(const ccColor3B& parentColor) {
    CCLayerRGBA::updateDisplayedColor(parentColor);
    updateColor();
}

void CCLayerColor::updateDisplayedOpacity(std::uint8_t parentOpacity) {
    CCLayerRGBA::updateDisplayedOpacity(parentOpacity);
    updateColor();
}

void CCLayerColor::updateColor() {
    const ccColor4B color = ccc4(m_displayedColor.r, m_displayedColor.g, m_displayedColor.b, m_displayedOpacity);
    for (ccColor4B& corner : m_cornerColors) {
        corner = color;
    }
}

void CCLayerColor::draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) {
    const float w = m_contentSize.width;
    const float h = m_contentSize.height;
    if (w <= 0.0f || h <= 0.0f) {
        return;
    }
    const CCPoint corners[4] = {CCPoint(0, 0), CCPoint(w, 0), CCPoint(0, h), CCPoint(w, h)};
    Vertex quad[4];
    for (int i = 0; i < 4; ++i) {
        const CCPoint p = CCPointApplyAffineTransform(corners[i], nodeToWorld);
        quad[i] = Vertex{p.x, p.y, m_cornerColors[i], 0.0f, 0.0f};
    }
    renderer.drawQuad(0, quad, m_blend);
}

}  // namespace lirava
