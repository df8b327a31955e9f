#include "effects/fireworks/fireworks_patterns.h"

#include <cmath>

#include "render/canvas.h"

namespace pyxora {
namespace {

// Nearest whole number, halves to even; false for what no screen could hold.
inline bool Whole(double v, int64_t& out) {
  if (!(v > -1e15 && v < 1e15)) return false;  // also NaN
  out = std::llrint(v);
  return true;
}

// One pattern around the centre (px, py) at scale S, in one colour. Offsets are
// worked out in 64 bits so a huge S (a spark right at the eye) clips instead of wrapping.
class Pattern {
 public:
  Pattern(Canvas& dc, int32_t px, int32_t py, float s, uint32_t colour)
      : dc_(dc), px_(px), py_(py), s_(s), colour_(colour) {
    Set(px_, py_);
  }

  // "plus of distance kS": d = nearest(k S), the four points (px +- d, py), (px, py +- d).
  void Plus(float k) {
    int64_t d = 0;
    if (!Whole(static_cast<double>(k * s_), d)) return;
    Set(px_ + d, py_), Set(px_ - d, py_), Set(px_, py_ + d), Set(px_, py_ - d);
  }
  // "cross of distance kS": the four points (px +- d, py +- d).
  void Cross(float k) {
    int64_t d = 0;
    if (!Whole(static_cast<double>(k * s_), d)) return;
    Set(px_ + d, py_ + d), Set(px_ - d, py_ + d), Set(px_ + d, py_ - d), Set(px_ - d, py_ - d);
  }
  // "plus of distance ~S": each coordinate rounded as a sum, nearest(px +- S).
  void PlusNear() {
    int64_t right = 0, left = 0, down = 0, up = 0;
    if (!Near(px_, 1, right) || !Near(px_, -1, left) || !Near(py_, 1, down) || !Near(py_, -1, up)) return;
    Set(right, py_), Set(left, py_), Set(px_, down), Set(px_, up);
  }
  void CrossNear() {
    int64_t right = 0, left = 0, down = 0, up = 0;
    if (!Near(px_, 1, right) || !Near(px_, -1, left) || !Near(py_, 1, down) || !Near(py_, -1, up)) return;
    Set(right, down), Set(left, down), Set(right, up), Set(left, up);
  }
  // nearest(c + k S) for one coordinate.
  bool Near(int32_t c, float k, int64_t& out) const {
    return Whole(static_cast<double>(c) + static_cast<double>(k) * static_cast<double>(s_), out);
  }
  bool Scaled(float k, int64_t& out) const { return Whole(static_cast<double>(k * s_), out); }

  void Set(int64_t x, int64_t y) {
    if (x < 0 || y < 0 || x >= dc_.Width() || y >= dc_.Height()) return;
    dc_.SetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), colour_);
  }

  int32_t X() const { return px_; }
  int32_t Y() const { return py_; }

 private:
  Canvas& dc_;
  int32_t px_, py_;
  float s_;
  uint32_t colour_;
};

}  // namespace

void DrawScintillator(Canvas& dc, float focal, int32_t px, int32_t py, float z, int16_t size, uint32_t colour) {
  Pattern p(dc, px, py, focal / z, colour);
  if (size < 5 || size > 37 || (size - 5) % 4 != 0) return;  // the centre only
  p.PlusNear();
  if (size >= 9) p.Plus(2);
  if (size >= 13) p.Cross(4);
  if (size >= 17) p.Plus(8);
  if (size >= 21) p.Plus(12);
  if (size >= 25) p.Cross(7);
  if (size >= 29) p.Plus(16);
  if (size >= 33) p.Cross(11);
  if (size >= 37) p.Plus(25);
}

void DrawMultiHead(Canvas& dc, float focal, int32_t px, int32_t py, float z, int16_t size, uint32_t colour) {
  Pattern p(dc, px, py, focal / z, colour);
  int64_t x = 0;
  if (size <= 1) return;
  if (size == 2) {
    if (p.Near(px, 1, x)) p.Set(x, py);
    return;
  }
  if (size <= 4) {
    if (p.Near(px, 1, x)) p.Set(x, py);
    if (p.Near(px, -1, x)) p.Set(x, py);
    return;
  }
  // The rings in order; a larger head shows more of them.
  const int rings = size >= 33 ? 8 : size >= 25 ? 6 : size >= 21 ? 5 : size >= 17 ? 4 : size >= 13 ? 3 : size >= 9 ? 2 : 1;
  p.PlusNear();
  if (rings >= 2) p.CrossNear();
  if (rings >= 3) p.Plus(2);
  if (rings >= 4) p.Plus(3);
  if (rings >= 5) p.Plus(4);
  if (rings >= 6) p.Cross(3);
  if (rings >= 8) p.Plus(5), p.Plus(8);
}

void DrawSparkle(Canvas& dc, float focal, int16_t sparkPix, int32_t px, int32_t py, float z, uint32_t colour) {
  Pattern p(dc, px, py, focal / z, colour);
  const int16_t n = sparkPix;
  int64_t a = 0, b = 0, c = 0, d = 0;
  if (n <= 1) return;
  if (n == 2) {
    if (p.Near(px, 2, a)) p.Set(a, py);
  } else if (n == 3) {
    if (p.Near(px, -1, a) && p.Near(px, 1, b) && p.Near(py, 1, c)) p.Set(a, c), p.Set(b, c);
  } else if (n <= 5) {
    p.Plus(2);
  } else if (n <= 7) {  // a hexagon
    if (p.Near(px, -1, a) && p.Near(px, 1, b) && p.Near(py, -1, c) && p.Near(py, 1, d))
      p.Set(a, c), p.Set(b, c), p.Set(a, d), p.Set(b, d);
    if (p.Near(px, -2, a) && p.Near(px, 2, b)) p.Set(a, py), p.Set(b, py);
  } else if (n <= 10) {
    p.CrossNear(), p.Plus(4);
  } else if (n <= 12) {
    p.CrossNear();
    if (p.Near(px, -5, a) && p.Near(px, 5, b)) p.Set(a, py), p.Set(b, py);
    if (p.Scaled(2, a) && p.Scaled(3, b))
      p.Set(px + a, py + b), p.Set(px - a, py + b), p.Set(px + a, py - b), p.Set(px - a, py - b);
  } else if (n <= 14) {
    p.Cross(2), p.Plus(6), p.Cross(4);
  } else if (n <= 18) {
    p.Cross(2), p.Plus(5), p.Cross(3), p.Cross(6);
  } else if (n <= 22) {
    p.Cross(2), p.Plus(5), p.Cross(3), p.Cross(6), p.Plus(8);
  } else if (n <= 26) {
    p.Cross(2), p.Plus(5), p.Cross(3), p.Cross(5), p.Cross(6), p.Plus(9);
  } else {
    p.Cross(2), p.Plus(5), p.Plus(7), p.Cross(3), p.Cross(5), p.Cross(7), p.Plus(11);
  }
}

void DrawDecayStar(Canvas& dc, float focal, float decayMSize, int32_t px, int32_t py, float z, int16_t life,
                   uint32_t colour) {
  const float s = focal / z * decayMSize * static_cast<float>(life) * 0.1f;
  Pattern p(dc, px, py, s, colour);
  int64_t n = 0;
  if (!p.Scaled(32, n) || n < 1) return;
  if (n >= 8) p.PlusNear(), p.Plus(4);
  if (n >= 4) p.Cross(8), p.Cross(12);
  if (n >= 2) p.Plus(16);
  p.Plus(32);  // "plus of distance n", n = nearest(32 S)
}

}  // namespace pyxora
