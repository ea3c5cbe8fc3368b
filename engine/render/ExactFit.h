#pragma once

#include "engine/base/CCGeometry.h"

namespace lirava {

// The exact-fit mapping between the design area (origin bottom-left, y up) and a pixel area
// (origin top-left, y down) of another size: both axes are stretched independently.
struct ExactFit {
    CCSize design;
    float pixelWidth;
    float pixelHeight;

    // x * pixelWidth / designWidth, (designHeight - y) * pixelHeight / designHeight.
    CCPoint designToPixel(float x, float y) const;
    CCPoint pixelToDesign(float px, float py) const;
    // Pixel edges rounded to the nearest pixel line, so rectangles that share an edge in design
    // space share it in pixels too. Width and height are never negative.
    void designRectToPixels(const CCRect& rect, int& left, int& top, int& width, int& height) const;
};

}  // namespace lirava
