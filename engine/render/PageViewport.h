#pragma once

#include "engine/base/CCGeometry.h"

namespace lirava {

// Where the design area (the page) lies in an area of pixels, origin top-left: over the whole
// area, each axis stretched on its own (exact fit), or letterboxed: the largest rectangle of the
// design's proportions that fits, centred, in whole pixels, the free sides left to bars. Whole
// pixels keep the page's edges sharp against the bars.
struct PageViewport {
    CCSize design;
    int areaWidth = 0;
    int areaHeight = 0;
    // The page's rectangle in the area.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    // Pixels per design unit: the uniform scale when letterboxed, else the larger axis scale.
    float scale = 1.0f;

    // Areas and designs below one pixel or unit count as one.
    static PageViewport fit(const CCSize& design, int areaWidth, int areaHeight, bool letterbox);

    // The bars' thickness on each side (0 where the page reaches the edge).
    int barLeft() const { return x; }
    int barTop() const { return y; }
    int barRight() const { return areaWidth - x - width; }
    int barBottom() const { return areaHeight - y - height; }

    // Design point (y up) to area pixel (y down), and back.
    CCPoint designToPixel(float designX, float designY) const;
    CCPoint pixelToDesign(float pixelX, float pixelY) const;
    // Whether an area pixel position lies on the page rather than on a bar.
    bool containsPixel(float pixelX, float pixelY) const;
};

}  // namespace lirava
