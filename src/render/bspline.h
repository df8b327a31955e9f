// One segment of a uniform cubic B-spline. The sparklers and the warp drive their
// heads along sliding windows of four control points; the fireworks' spline bursts
// expand along the same curve through their knots.
#pragma once

namespace pyxora {

// One coordinate of the segment at t (0..1): the uniform cubic basis in single precision.
// At t = 0 this is (p0 + 4 p1 + p2) / 6 and at t = 1 (p1 + 4 p2 + p3) / 6, so dropping p0
// and appending a new p3 continues the curve with the same position, slope and curvature.
inline float BSplineValue(float t, float p0, float p1, float p2, float p3) {
  const float t2 = t * t;
  const float t3 = t2 * t;
  return ((-p0 + 3.0f * p1 - 3.0f * p2 + p3) * t3 + (3.0f * p0 - 6.0f * p1 + 3.0f * p2) * t2 +
          (-3.0f * p0 + 3.0f * p2) * t + (p0 + 4.0f * p1 + p2)) *
         0.16666667f;
}

// The point at t of the segment with control points (x0, y0, z0) .. (x3, y3, z3).
inline void BSplinePoint(float& x, float& y, float& z, float t, float x0, float y0, float z0, float x1, float y1,
                         float z1, float x2, float y2, float z2, float x3, float y3, float z3) {
  x = BSplineValue(t, x0, x1, x2, x3);
  y = BSplineValue(t, y0, y1, y2, y3);
  z = BSplineValue(t, z0, z1, z2, z3);
}

}  // namespace pyxora
