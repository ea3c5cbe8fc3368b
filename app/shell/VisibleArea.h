#pragma once

#include "engine/base/CCGeometry.h"

namespace lirava {

// The visible part of the design area and the points every screen places its items by. Origin
// and size are read from the shared view on first use and kept for the rest of the run, so a
// later change of the frame or design size does not move anything placed afterwards.
//
// With the program's 640 x 960 exact-fit set-up: rect (0, 0, 640, 960), left (0, 480),
// right (640, 480), top (320, 960), bottom (320, 0), center (320, 480).
class VisibleArea {
public:
    static CCRect rect();
    // Middles of the four edges.
    static CCPoint left();
    static CCPoint right();
    static CCPoint top();
    static CCPoint bottom();
    static CCPoint center();

private:
    static void ensureCached();

    static CCPoint s_origin;
    static CCSize s_size;
};

}  // namespace lirava
