#include "render/projection.h"

#include <algorithm>

#include "base/numeric.h"

namespace pyxora {
namespace {

constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = 1.5707963705062866f;
constexpr float kTwoPi = 6.2831855f;
constexpr double kTiny = 9.999999717180685e-10;

// arccos t written as the original did, finite at t = +-1; a 0/0 quotient is taken as 0.
float ArcCos(float numerator, float denominator) {
  float t = denominator == 0.0f ? 0.0f : numerator / denominator;
  t = std::clamp(t, -1.0f, 1.0f);  // rounding can push |t| a hair above 1
  const float complement = 1.0f - t * t;
  return static_cast<float>(std::atan(-t / (std::sqrt(static_cast<double>(complement)) + kTiny)) + kHalfPi);
}

}  // namespace

void RotateAboutCentre(float& xOut, float& yOut, float& zOut, float x, float y, float z, float a, float b) {
  const float f = gViewport.FocalLength;
  const float d = z - f;
  const float sinA = std::sin(a), cosA = std::cos(a), sinB = std::sin(b), cosB = std::cos(b);
  const float x1 = x * cosB - d * sinB;
  const float d1 = x * sinB + d * cosB;
  xOut = x1;
  yOut = y * cosA + d1 * sinA;
  zOut = d1 * cosA - y * sinA + f;
}

void DirectionAngles(float x, float y, float z, float& a, float& b) {
  const float r1 = std::sqrt(y * y + z * z);
  a = ArcCos(z, r1);
  if (y < 0) a = kTwoPi - a;
  const float z2 = z * std::cos(a) - y * std::sin(a);
  const float r2 = std::sqrt(z2 * z2 + x * x);
  b = ArcCos(z2, r2);
  if (x < 0) b = kTwoPi - b;
}

void MakeSymmetricPoints(float* xs, float* ys, float* zs, int n) {
  if (n < 2) return;
  const float f = gViewport.FocalLength;
  if (n == 2) {
    xs[1] = -xs[0];
    ys[1] = -ys[0];
    zs[1] = 2 * f - zs[0];
    return;
  }
  const int m = std::max(1, n - 2);
  const int k = NearestInt32(std::sqrt(m * 0.5));
  const int perRing = n == 6 ? 4 : 2 * k;

  const float dx = xs[0], dy = ys[0], dz = zs[0] - f;
  const float r = std::sqrt(dx * dx + dy * dy + dz * dz);
  float a, b;
  DirectionAngles(dx, dy, dz, a, b);
  RotateAboutCentre(xs[0], ys[0], zs[0], 0, 0, f - r, a, b);
  RotateAboutCentre(xs[1], ys[1], zs[1], 0, 0, f + r, a, b);

  // One running azimuth over all rings, as the points were first laid out.
  const float step = 2 * kPi / static_cast<float>(perRing);
  float phi = 0;
  for (int ring = 1; ring <= k; ++ring) {
    const float theta = static_cast<float>(ring) * kPi / static_cast<float>(k + 1);
    const float rho = r * std::sin(theta);
    const float zc = f - r * std::cos(theta);
    for (int j = 0; j < perRing; ++j) {
      const int index = (ring - 1) * perRing + 2 + j;
      if (index >= n) return;  // a count outside the accepted forms fills what it can
      RotateAboutCentre(xs[index], ys[index], zs[index], rho * std::cos(phi), rho * std::sin(phi), zc, a, b);
      phi += step;
    }
  }
}

}  // namespace pyxora
