#pragma once

#include "engine/base/CCGeometry.h"

namespace lirava {

// 2D affine transform mapping (x, y) to (a x + c y + tx, b x + d y + ty).
struct CCAffineTransform {
    float a, b, c, d;
    float tx, ty;
};

extern const CCAffineTransform CCAffineTransformIdentity;

CCAffineTransform CCAffineTransformMake(float a, float b, float c, float d, float tx, float ty);
CCPoint CCPointApplyAffineTransform(const CCPoint& point, const CCAffineTransform& t);
CCSize CCSizeApplyAffineTransform(const CCSize& size, const CCAffineTransform& t);
// Bounding box of the transformed rectangle.
CCRect CCRectApplyAffineTransform(const CCRect& rect, const CCAffineTransform& t);
CCAffineTransform CCAffineTransformMakeIdentity();
CCAffineTransform CCAffineTransformTranslate(const CCAffineTransform& t, float tx, float ty);
// Rotation by an angle in radians, counter-clockwise for y up.
CCAffineTransform CCAffineTransformRotate(const CCAffineTransform& t, float angle);
CCAffineTransform CCAffineTransformScale(const CCAffineTransform& t, float sx, float sy);
// t1 applied first, then t2.
CCAffineTransform CCAffineTransformConcat(const CCAffineTransform& t1, const CCAffineTransform& t2);
bool CCAffineTransformEqualToTransform(const CCAffineTransform& t1, const CCAffineTransform& t2);
CCAffineTransform CCAffineTransformInvert(const CCAffineTransform& t);

}  // namespace lirava
