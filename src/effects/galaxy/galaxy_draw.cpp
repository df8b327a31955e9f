#include "effects/galaxy/galaxy_draw.h"

#include <cmath>
#include <limits>

#include "render/canvas.h"
#include "render/projection.h"

namespace pyxora {
namespace {

// The nova's growth exponent, as the single-precision value it has always been.
constexpr float kNovaGrowth = 0.637499988079071f;

// A sprite pixel; one whose coordinates do not fit 32 bits is skipped.
inline void Put(Canvas& dc, int64_t x, int64_t y, uint32_t color) {
  constexpr int64_t lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
  if (x < lo || x > hi || y < lo || y > hi) return;
  dc.SetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), color);
}

// nearest(k * e) as a distance; false when it does not fit 32 bits.
inline bool Distance(float k, float e, int64_t& d) {
  int32_t v = 0;
  if (!RoundToInt32(k * e, v)) return false;
  d = v;
  return true;
}

inline void Cross(Canvas& dc, int64_t X, int64_t Y, int64_t d, uint32_t c) {
  Put(dc, X - d, Y, c);
  Put(dc, X + d, Y, c);
  Put(dc, X, Y - d, c);
  Put(dc, X, Y + d, c);
}

inline void Diagonal(Canvas& dc, int64_t X, int64_t Y, int64_t d, uint32_t c) {
  Put(dc, X - d, Y - d, c);
  Put(dc, X + d, Y - d, c);
  Put(dc, X - d, Y + d, c);
  Put(dc, X + d, Y + d, c);
}

inline void PairSet(Canvas& dc, int64_t X, int64_t Y, int64_t a, int64_t b, uint32_t c) {
  Put(dc, X - a, Y - b, c);
  Put(dc, X + a, Y - b, c);
  Put(dc, X - a, Y + b, c);
  Put(dc, X + a, Y + b, c);
  Put(dc, X - b, Y - a, c);
  Put(dc, X + b, Y - a, c);
  Put(dc, X - b, Y + a, c);
  Put(dc, X + b, Y + a, c);
}

// One shape of a sprite at multiples of e: a cross or diagonal at k, or the pair set (k, k2).
enum class Shape { Cross, Diagonal, Pair };
struct Ring {
  Shape shape;
  float k, k2 = 0;
};

inline void DrawRing(Canvas& dc, int64_t X, int64_t Y, float e, const Ring& ring, uint32_t c) {
  int64_t a = 0, b = 0;
  if (!Distance(ring.k, e, a)) return;
  switch (ring.shape) {
    case Shape::Cross:
      Cross(dc, X, Y, a, c);
      break;
    case Shape::Diagonal:
      Diagonal(dc, X, Y, a, c);
      break;
    case Shape::Pair:
      if (Distance(ring.k2, e, b)) PairSet(dc, X, Y, a, b, c);
      break;
  }
}

constexpr Ring kNovaCore[] = {{Shape::Cross, 16},    {Shape::Diagonal, 16}, {Shape::Diagonal, 7},
                              {Shape::Cross, 11},    {Shape::Diagonal, 11}, {Shape::Pair, 2, 24},
                              {Shape::Cross, 32}};
constexpr Ring kNovaMiddle[] = {{Shape::Pair, 3, 10}, {Shape::Pair, 7, 5}, {Shape::Cross, 24}};
constexpr Ring kNovaOuter[] = {{Shape::Cross, 2}, {Shape::Pair, 3, 5}};

template <size_t N>
void NovaLayer(const GalaxyCamera& cam, float x, float y, float dL, float size, float growth,
               const Ring (&rings)[N], bool centre, uint32_t color) {
  int32_t X = 0, Y = 0;
  if (!RoundToInt32(x * cam.scale / dL + cam.centreX, X) || !RoundToInt32(y * cam.scale / dL + cam.centreY, Y)) return;
  const float e = (cam.focal / dL) * size * growth;
  Canvas& dc = *cam.dc;
  if (centre) dc.SetPixel(X, Y, color);
  for (const Ring& ring : rings) DrawRing(dc, X, Y, e, ring, color);
}

}  // namespace

void DrawNewStar(const GalaxyCamera& cam, const GalaxySettings& run, int32_t X, int32_t Y, float depth, int32_t t,
                 uint32_t color) {
  Canvas& dc = *cam.dc;
  dc.SetPixel(X, Y, color);
  const float e = (cam.focal / depth) * run.NewExtMult * static_cast<float>(t) / static_cast<float>(run.NewFrames);
  int32_t n = 0;
  if (!RoundToInt32(32.0f * e, n)) n = std::numeric_limits<int32_t>::max();
  if (n < 1) return;
  if (n == 1) {
    Cross(dc, X, Y, 1, color);
    return;
  }
  if (n <= 3) {
    DrawRing(dc, X, Y, e, {Shape::Cross, 16}, color);
    Cross(dc, X, Y, n, color);
    return;
  }
  if (n >= 8) {
    int32_t left = 0, right = 0, up = 0, down = 0;
    if (RoundToInt32(static_cast<float>(X) - e, left)) Put(dc, left, Y, color);
    if (RoundToInt32(static_cast<float>(X) + e, right)) Put(dc, right, Y, color);
    if (RoundToInt32(static_cast<float>(Y) - e, up)) Put(dc, X, up, color);
    if (RoundToInt32(static_cast<float>(Y) + e, down)) Put(dc, X, down, color);
    DrawRing(dc, X, Y, e, {Shape::Cross, 4}, color);
  }
  DrawRing(dc, X, Y, e, {Shape::Diagonal, 8}, color);
  DrawRing(dc, X, Y, e, {Shape::Diagonal, 12}, color);
  DrawRing(dc, X, Y, e, {Shape::Cross, 16}, color);
  if (n != std::numeric_limits<int32_t>::max()) Cross(dc, X, Y, n, color);
}

void DrawNova(const GalaxyCamera& cam, const GalaxySettings& run, float x, float y, float depth, int32_t t,
              uint32_t color) {
  const float N = run.NovaExtMult;
  const float g = std::pow(static_cast<float>(run.NovaFrames - t + 1), kNovaGrowth);
  // Layers at slightly different depths: an off-centre nova shows a little parallax.
  NovaLayer(cam, x, y, depth, N, g, kNovaCore, true, color);
  NovaLayer(cam, x, y, depth + 0.1f * N, N, g, kNovaMiddle, false, color);
  if (depth - 0.1f * N > 0) NovaLayer(cam, x, y, depth - 0.1f * N, N, g, kNovaMiddle, false, color);
  NovaLayer(cam, x, y, depth + 0.2f * N, N, g, kNovaOuter, false, color);
  if (depth - 0.2f * N > 0) NovaLayer(cam, x, y, depth - 0.2f * N, N, g, kNovaOuter, false, color);
}

}  // namespace pyxora
