#include "engine/platform/CCTouch.h"

namespace lirava {

void CCTouch::setTouchInfo(int id, const CCPoint& location) {
    m_id = id;
    m_previousPoint = m_point;
    m_point = location;
    if (!m_startPointCaptured) {
        m_startPoint = location;
        m_previousPoint = location;
        m_startPointCaptured = true;
    }
}

}  // namespace lirava
