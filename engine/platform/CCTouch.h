#pragma once

#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"

namespace lirava {

// One finger (here: the mouse button) on the screen. Locations are in design coordinates,
// y up, already mapped from window pixels.
class CCTouch : public CCObject {
public:
    CCTouch() = default;

    int getID() const { return m_id; }
    CCPoint getLocation() const { return m_point; }
    CCPoint getPreviousLocation() const { return m_previousPoint; }
    CCPoint getStartLocation() const { return m_startPoint; }
    CCPoint getDelta() const { return m_point - m_previousPoint; }

    // Set by the input layer: the first call also fixes the start location.
    void setTouchInfo(int id, const CCPoint& location);

private:
    int m_id = 0;
    bool m_startPointCaptured = false;
    CCPoint m_startPoint;
    CCPoint m_point;
    CCPoint m_previousPoint;
};

class CCEvent : public CCObject {};

}  // namespace lirava
