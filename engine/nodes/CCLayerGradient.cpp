#include "engine/nodes/CCLayerGradient.h"

#include <cmath>

namespace lirava {

CCLayerGradient* CCLayerGradient::create() {
    CCLayerGradient* layer = new CCLayerGradient();
    if (layer->init()) {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

CCLayerGradient* CCLayerGradient::create(const ccColor4B& start, const ccColor4B& end) {
    return create(start, end, CCPoint(0.0f, -1.0f));
}

CCLayerGradient* CCLayerGradient::create(const ccColor4B& start, const ccColor4B& end, const CCPoint& vector) {
    CCLayerGradient* layer = new CCLayerGradient();
    if (layer->initWithColor(start, end, vector)) {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

bool CCLayerGradient::init() {
    return initWithColor(ccc4(0, 0, 0, 255), ccc4(0, 0, 0, 255));
}

bool CCLayerGradient::initWithColor(const ccColor4B& start, const ccColor4B& end) {
    return initWithColor(start, end, CCPoint(0.0f, -1.0f));
}

bool CCLayerGradient::initWithColor(const ccColor4B& start, const ccColor4B& end, const CCPoint& vector) {
    m_endColor = ccc3(end.r, end.g, end.b);
    m_startOpacity = start.a;
    m_endOpacity = end.a;
    m_vector = vector;
    m_compressedInterpolation = true;
    // The layer's own opacity stays full; the two end opacities shape the gradient.
    return CCLayerColor::initWithColor(ccc4(start.r, start.g, start.b, 255));
}

void CCLayerGradient::setEndColor(const ccColor3B& color) {
    m_endColor = color;
    updateColor();
}

void CCLayerGradient::setStartOpacity(std::uint8_t opacity) {
    m_startOpacity = opacity;
    updateColor();
}

void CCLayerGradient::setEndOpacity(std::uint8_t opacity) {
    m_endOpacity = opacity;
    updateColor();
}

void CCLayerGradient::setVector(const CCPoint& vector) {
    m_vector = vector;
    updateColor();
}

void CCLayerGradient::setCompressedInterpolation(bool compressed) {
    m_compressedInterpolation = compressed;
    updateColor();
}

void CCLayerGradient::updateColor() {
    // Corners in a -1..1 square (y up). The share of the end colour at a corner is how far the
    // corner lies along the vector, mapped onto 0..1; colours in between are linear in position,
    // which the renderer's interpolation across the quad reproduces exactly.
    CCPoint direction = m_vector;
    float length = std::sqrt(direction.x * direction.x + direction.y * direction.y);
    if (!(length > 0.0f)) {
        direction = CCPoint(0.0f, -1.0f);
        length = 1.0f;
    }
    const CCPoint u(direction.x / length, direction.y / length);
    const float reach = m_compressedInterpolation ? std::fabs(u.x) + std::fabs(u.y) : std::sqrt(2.0f);
    const CCPoint corners[4] = {CCPoint(-1, -1), CCPoint(1, -1), CCPoint(-1, 1), CCPoint(1, 1)};
    const float opacityScale = m_displayedOpacity / 255.0f;
    for (int i = 0; i < 4; ++i) {
        const float f = 0.5f + (u.x * corners[i].x + u.y * corners[i].y) / (2.0f * reach);
        auto mix = [f](float from, float to) {
            return static_cast<std::uint8_t>(std::lround(std::fmin(255.0f, std::fmax(0.0f, from + (to - from) * f))));
        };
        m_cornerColors[i] = ccc4(mix(m_displayedColor.r, m_endColor.r), mix(m_displayedColor.g, m_endColor.g),
                                 mix(m_displayedColor.b, m_endColor.b),
                                 mix(m_startOpacity * opacityScale, m_endOpacity * opacityScale));
    }
}

}  // namespace lirava
