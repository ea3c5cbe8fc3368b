#include "engine/base/CCGeometry.h"

#include <algorithm>
#include <cmath>

namespace lirava {

const CCPoint CCPointZero(0.0f, 0.0f);
const CCSize CCSizeZero(0.0f, 0.0f);
const CCRect CCRectZero(0.0f, 0.0f, 0.0f, 0.0f);

bool CCPoint::fuzzyEquals(const CCPoint& other, float variance) const {
    return std::fabs(x - other.x) <= variance && std::fabs(y - other.y) <= variance;
}

float CCPoint::getLength() const {
    return std::sqrt(x * x + y * y);
}

float CCPoint::getAngle() const {
    return std::atan2(y, x);
}

void CCRect::setRect(float x, float y, float w, float h) {
    origin.setPoint(x, y);
    size.setSize(w, h);
}

bool CCRect::containsPoint(const CCPoint& point) const {
    return point.x >= getMinX() && point.x <= getMaxX() && point.y >= getMinY() && point.y <= getMaxY();
}

bool CCRect::intersectsRect(const CCRect& other) const {
    return !(getMaxX() < other.getMinX() || other.getMaxX() < getMinX() || getMaxY() < other.getMinY() ||
             other.getMaxY() < getMinY());
}

CCRect CCRect::intersection(const CCRect& other) const {
    const float left = std::max(getMinX(), other.getMinX());
    const float right = std::min(getMaxX(), other.getMaxX());
    const float bottom = std::max(getMinY(), other.getMinY());
    const float top = std::min(getMaxY(), other.getMaxY());
    if (right <= left || top <= bottom) {
        return CCRect(left, bottom, 0.0f, 0.0f);
    }
    return CCRect(left, bottom, right - left, top - bottom);
}

CCRect CCRect::unionWithRect(const CCRect& other) const {
    const float left = std::min(getMinX(), other.getMinX());
    const float right = std::max(getMaxX(), other.getMaxX());
    const float bottom = std::min(getMinY(), other.getMinY());
    const float top = std::max(getMaxY(), other.getMaxY());
    return CCRect(left, bottom, right - left, top - bottom);
}

float ccpLength(const CCPoint& v) {
    return v.getLength();
}

float ccpDistance(const CCPoint& a, const CCPoint& b) {
    return (a - b).getLength();
}

CCPoint ccpLerp(const CCPoint& a, const CCPoint& b, float alpha) {
    return a * (1.0f - alpha) + b * alpha;
}

}  // namespace lirava
