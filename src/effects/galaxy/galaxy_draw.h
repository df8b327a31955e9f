// Galaxy drawing: from galaxy coordinates through the tilt and the galaxy's distance to
// a pixel, and the two sprites drawn instead of a single pixel (the shrinking flash of a
// new star and the growing, layered nova). A sprite is erased by drawing it again with
// the same arguments in black.
#pragma once

#include <cmath>
#include <cstdint>

#include "effects/galaxy/galaxy_world.h"
#include "render/projection.h"

namespace pyxora {

struct GalaxyPoint {
  float x = 0, y = 0, depth = 0;  // camera position
  int32_t column = kGalaxyNoPixel, row = 0;
  bool onScreen = false;  // in front of the eye, with a column and row that fit 32 bits
};

// Below this size a float rounds the quick way (NearestWhole); SinCos reduces angles
// below kQuickAngleLimit itself.
inline constexpr float kQuickRoundLimit = 4194304.0f;
inline constexpr float kQuickAngleLimit = 8192.0f;

// The nearest whole number, halves to even, of a float (or of several side by side)
// smaller than kQuickRoundLimit: adding and taking away 1.5 x 2^23 leaves it.
template <typename F>
inline F NearestWhole(F v) {
  return (v + 12582912.0f) - 12582912.0f;
}

// Nearest, halves to even, like RoundToInt32 but without a library call for the values a
// screen uses.
inline bool RoundPixel(float v, int32_t& out) {
  if (std::fabs(v) < kQuickRoundLimit) {
    out = static_cast<int32_t>(NearestWhole(v));
    return true;
  }
  return RoundToInt32(v, out);
}

// The heart of SinCos for one float or several side by side (a vector of floats): the
// nearest quarter turn q, and the sine and cosine of what is left over.
template <typename F>
inline void ReducedSinCos(F x, F& q, F& sr, F& cr) {
  q = NearestWhole(x * 0.63661977f);
  // pi / 2 in three parts, so that q times each part is exact enough.
  const F r = ((x - q * 1.5703125f) - q * 4.837512969970703125e-4f) - q * 7.54978995489188216e-8f;
  const F z = r * r;
  sr = ((-1.9515295891e-4f * z + 8.3321608736e-3f) * z - 1.6666654611e-1f) * z * r + r;
  cr = ((2.443315711809948e-5f * z - 1.388731625493765e-3f) * z + 4.166664568298827e-2f) * z * z - 0.5f * z + 1.0f;
}

// A point of the galaxy plane at radius r and the angle of the given sine and cosine,
// height h, tilted and moved to the galaxy's distance: camera x, y and depth.
template <typename F>
inline void TiltedPoint(F r, F sine, F cosine, F h, float dist, float sinT, float cosT, F& x, F& y, F& depth) {
  const F a = r * sine;
  x = r * cosine;
  y = a * sinT - cosT * h;
  depth = a * cosT + dist + sinT * h;
}

// Sine and cosine of x together, to single precision, without a library call: a
// reduction by quarter turns and short polynomials on the remainder. Angles beyond a
// few thousand radians (stars right on the axis spin that far) take the library's way.
inline void SinCos(float x, float& sine, float& cosine) {
  if (!(std::fabs(x) < kQuickAngleLimit)) {
    sine = std::sin(x);
    cosine = std::cos(x);
    return;
  }
  float q = 0, sr = 0, cr = 0;
  ReducedSinCos(x, q, sr, cr);
  switch (static_cast<int32_t>(q) & 3) {
    case 0: sine = sr, cosine = cr; break;
    case 1: sine = cr, cosine = -sr; break;
    case 2: sine = -sr, cosine = -cr; break;
    default: sine = -cr, cosine = sr; break;
  }
}

// Star (r, theta, h) of a galaxy whose centre lies at depth `dist`, tilted by the angle
// whose sine and cosine are given. Inline: it runs for every star every frame.
inline GalaxyPoint GalaxyToScreen(const GalaxyCamera& cam, float dist, float r, float theta, float h, float sinT,
                                  float cosT) {
  GalaxyPoint p;
  float sine = 0, cosine = 0;
  SinCos(theta, sine, cosine);
  TiltedPoint(r, sine, cosine, h, dist, sinT, cosT, p.x, p.y, p.depth);
  if (p.depth > kGalaxyNearPlane) {
    const float f = cam.scale / p.depth;  // one division for both coordinates
    p.onScreen = RoundPixel(p.x * f + cam.centreX, p.column) && RoundPixel(p.y * f + cam.centreY, p.row);
  }
  return p;
}

// The new-star flash at (X, Y) with `t` frames left: a single pixel far away or near the
// end, up to 25 pixels for a near star that has just appeared.
void DrawNewStar(const GalaxyCamera& cam, const GalaxySettings& run, int32_t X, int32_t Y, float depth, int32_t t,
                 uint32_t color);

// The nova at camera (x, y) and `depth` with `t` frames left: five layers at slightly
// different depths, 97 pixels at most, growing as t counts down.
void DrawNova(const GalaxyCamera& cam, const GalaxySettings& run, float x, float y, float depth, int32_t t,
              uint32_t color);

}  // namespace pyxora
