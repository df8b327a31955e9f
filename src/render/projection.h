// Projection of world points to pixels and the rotations about the world centre.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#if defined(__SSE__) || defined(_M_X64)
#include <xmmintrin.h>
#endif

#include "render/viewport.h"

namespace pyxora {

struct ScreenPoint {
  int32_t x;
  int32_t y;
};

// Nearest 32-bit integer, halves to even; nothing when the value cannot be represented.
inline bool RoundToInt32(float v, int32_t& out) {
  // 2147483520 is the largest float below 2^31; NaN fails both comparisons.
  if (!(v >= -2147483648.0f && v <= 2147483520.0f)) return false;
#if defined(__SSE__) || defined(_M_X64)
  // The processor's conversion rounds as nearbyint does (halves to even in the default
  // mode) without a library call: two of these per particle and frame add up.
  out = _mm_cvtss_si32(_mm_set_ss(v));
#else
  out = static_cast<int32_t>(std::nearbyint(v));
#endif
  return true;
}

// The quotient ProjScale / z first, then the two products, each rounded half to even.
// Written for inner loops: inline, no allocation. Nothing when a coordinate does not
// fit 32 bits; the caller skips the pixel. Visibility rules (z > 0.0001 ...) are the caller's.
inline std::optional<ScreenPoint> Project(const Viewport& view, float x, float y, float z) {
  const float s = view.ProjScale / z;
  ScreenPoint p;
  if (!RoundToInt32(s * x + static_cast<float>(view.CentreX), p.x)) return std::nullopt;
  if (!RoundToInt32(s * y + static_cast<float>(view.CentreY), p.y)) return std::nullopt;
  return p;
}

// b about the y axis first, then a about the x axis, both about (0, 0, FocalLength).
void RotateAboutCentre(float& xOut, float& yOut, float& zOut, float x, float y, float z, float a, float b);

// The two angles of the direction (x, y, z) that RotateAboutCentre turns the +z axis to.
// For y = z = 0 the first angle is pi/2 (and for a zero second plane the second is pi/2).
void DirectionAngles(float x, float y, float z, float& a, float& b);

// Rewrites n points symmetrically on the sphere through point 0 about the world centre.
// n must be 2, 4, 6 or 2q^2 + 2 (q >= 2); fewer than 2 points are left alone.
void MakeSymmetricPoints(float* xs, float* ys, float* zs, int n);

}  // namespace pyxora
