#pragma once

namespace lirava {

// Plain value types in design units (points). y grows upwards.
class CCPoint {
public:
    float x = 0.0f;
    float y = 0.0f;

    CCPoint() = default;
    CCPoint(float px, float py) : x(px), y(py) {}

    void setPoint(float px, float py) {
        x = px;
        y = py;
    }
    bool equals(const CCPoint& other) const { return x == other.x && y == other.y; }
    bool fuzzyEquals(const CCPoint& other, float variance) const;

    CCPoint operator+(const CCPoint& o) const { return CCPoint(x + o.x, y + o.y); }
    CCPoint operator-(const CCPoint& o) const { return CCPoint(x - o.x, y - o.y); }
    CCPoint operator-() const { return CCPoint(-x, -y); }
    CCPoint operator*(float a) const { return CCPoint(x * a, y * a); }
    CCPoint operator/(float a) const { return CCPoint(x / a, y / a); }
    bool operator==(const CCPoint& o) const { return equals(o); }
    bool operator!=(const CCPoint& o) const { return !equals(o); }

    float getLength() const;
    float getDistance(const CCPoint& other) const { return (*this - other).getLength(); }
    float getAngle() const;
};

class CCSize {
public:
    float width = 0.0f;
    float height = 0.0f;

    CCSize() = default;
    CCSize(float w, float h) : width(w), height(h) {}

    void setSize(float w, float h) {
        width = w;
        height = h;
    }
    bool equals(const CCSize& other) const { return width == other.width && height == other.height; }
    bool operator==(const CCSize& o) const { return equals(o); }
    bool operator!=(const CCSize& o) const { return !equals(o); }
};

class CCRect {
public:
    CCPoint origin;
    CCSize size;

    CCRect() = default;
    CCRect(float x, float y, float w, float h) : origin(x, y), size(w, h) {}

    void setRect(float x, float y, float w, float h);
    float getMinX() const { return origin.x; }
    float getMidX() const { return origin.x + size.width * 0.5f; }
    float getMaxX() const { return origin.x + size.width; }
    float getMinY() const { return origin.y; }
    float getMidY() const { return origin.y + size.height * 0.5f; }
    float getMaxY() const { return origin.y + size.height; }
    bool equals(const CCRect& other) const { return origin.equals(other.origin) && size.equals(other.size); }
    bool operator==(const CCRect& o) const { return equals(o); }
    bool operator!=(const CCRect& o) const { return !equals(o); }
    // Edges included.
    bool containsPoint(const CCPoint& point) const;
    bool intersectsRect(const CCRect& other) const;
    // The overlap of two rectangles; a zero-sized rectangle when they do not overlap.
    CCRect intersection(const CCRect& other) const;
    CCRect unionWithRect(const CCRect& other) const;
};

extern const CCPoint CCPointZero;
extern const CCSize CCSizeZero;
extern const CCRect CCRectZero;

inline CCPoint CCPointMake(float x, float y) {
    return CCPoint(x, y);
}
inline CCSize CCSizeMake(float w, float h) {
    return CCSize(w, h);
}
inline CCRect CCRectMake(float x, float y, float w, float h) {
    return CCRect(x, y, w, h);
}
inline CCPoint ccp(float x, float y) {
    return CCPoint(x, y);
}

inline CCPoint ccpAdd(const CCPoint& a, const CCPoint& b) {
    return a + b;
}
inline CCPoint ccpSub(const CCPoint& a, const CCPoint& b) {
    return a - b;
}
inline CCPoint ccpMult(const CCPoint& a, float s) {
    return a * s;
}
inline CCPoint ccpNeg(const CCPoint& a) {
    return -a;
}
inline CCPoint ccpCompMult(const CCPoint& a, const CCPoint& b) {
    return CCPoint(a.x * b.x, a.y * b.y);
}
float ccpLength(const CCPoint& v);
float ccpDistance(const CCPoint& a, const CCPoint& b);
CCPoint ccpLerp(const CCPoint& a, const CCPoint& b, float alpha);

}  // namespace lirava
