#pragma once

#include "engine/nodes/CCLayerColor.h"

namespace lirava {

// A layer filled with a linear gradient from a start colour to an end colour along a
// direction vector ((0, -1), top to bottom, unless given). With compressed interpolation (the
// default) the corners furthest along and against the vector show the pure end and start
// colours whatever the direction; without it, diagonal and straight directions share one
// scale and the pure colours lie outside the layer.
class CCLayerGradient : public CCLayerColor {
public:
    static CCLayerGradient* create();
    static CCLayerGradient* create(const ccColor4B& start, const ccColor4B& end);
    static CCLayerGradient* create(const ccColor4B& start, const ccColor4B& end, const CCPoint& vector);
    bool init() override;
    using CCLayerColor::initWithColor;
    bool initWithColor(const ccColor4B& start, const ccColor4B& end);
    virtual bool initWithColor(const ccColor4B& start, const ccColor4B& end, const CCPoint& vector);

    const ccColor3B& getStartColor() { return getColor(); }
    void setStartColor(const ccColor3B& color) { setColor(color); }
    const ccColor3B& getEndColor() const { return m_endColor; }
    void setEndColor(const ccColor3B& color);
    std::uint8_t getStartOpacity() const { return m_startOpacity; }
    void setStartOpacity(std::uint8_t opacity);
    std::uint8_t getEndOpacity() const { return m_endOpacity; }
    void setEndOpacity(std::uint8_t opacity);
    const CCPoint& getVector() const { return m_vector; }
    void setVector(const CCPoint& vector);
    bool isCompressedInterpolation() const { return m_compressedInterpolation; }
    void setCompressedInterpolation(bool compressed);

protected:
    void updateColor() override;

    ccColor3B m_endColor = {0, 0, 0};
    std::uint8_t m_startOpacity = 255;
    std::uint8_t m_endOpacity = 255;
    CCPoint m_vector = CCPoint(0.0f, -1.0f);
    bool m_compressedInterpolation = true;
};

}  // namespace lirava
