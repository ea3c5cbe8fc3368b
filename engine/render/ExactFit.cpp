#include "engine/render/ExactFit.h"

#include <cmath>

namespace lirava {

CCPoint ExactFit::designToPixel(float x, float y) const {
    return CCPoint(x * pixelWidth / design.width, (design.height - y) * pixelHeight / design.height);
}

CCPoint ExactFit::pixelToDesign(float px, float py) const {
    return CCPoint(px * design.width / pixelWidth, design.height - py * design.height / pixelHeight);
}

void ExactFit::designRectToPixels(const CCRect& rect, int& left, int& top, int& width, int& height) const {
    // A rectangle with a negative size still means the area between its edges.
    const float x0 = std::fmin(rect.getMinX(), rect.getMaxX());
    const float x1 = std::fmax(rect.getMinX(), rect.getMaxX());
    const float y0 = std::fmin(rect.getMinY(), rect.getMaxY());
    const float y1 = std::fmax(rect.getMinY(), rect.getMaxY());
    const CCPoint topLeft = designToPixel(x0, y1);
    const CCPoint bottomRight = designToPixel(x1, y0);
    // Clamp before converting: a huge or non-finite edge must not overflow an int.
    auto edge = [](float v) {
        if (!(v > -1.0e8f)) {
            return -100000000;
        }
        if (!(v < 1.0e8f)) {
            return 100000000;
        }
        return static_cast<int>(std::lround(v));
    };
    left = edge(topLeft.x);
    top = edge(topLeft.y);
    const int right = edge(bottomRight.x);
    const int bottom = edge(bottomRight.y);
    width = right > left ? right - left : 0;
    height = bottom > top ? bottom - top : 0;
}

}  // namespace lirava
