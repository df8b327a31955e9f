#include "render/bspline.h"

#include <array>

#include "effects/splines/spline_heads.h"
#include "render/random.h"
#include "render/viewport.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

struct Point {
  float x, y, z;
};

Point On(float t, const std::array<Point, 4>& p) {
  Point q;
  BSplinePoint(q.x, q.y, q.z, t, p[0].x, p[0].y, p[0].z, p[1].x, p[1].y, p[1].z, p[2].x, p[2].y, p[2].z, p[3].x,
               p[3].y, p[3].z);
  return q;
}

void ExpectNear(const Point& a, const Point& b, float tolerance) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

TEST(BSpline, SegmentEndsAreTheWeightedMeansOfTheirThreeNearestPoints) {
  const std::array<Point, 5> knots = {{{-1, 2, 0.5f}, {0.25f, -0.75f, 1.5f}, {3, 1, 1}, {-2, 0, 0.1f}, {0.5f, 4, 2}}};
  const std::array<Point, 4> first = {knots[0], knots[1], knots[2], knots[3]};
  const std::array<Point, 4> next = {knots[1], knots[2], knots[3], knots[4]};
  auto mean = [](const Point& a, const Point& b, const Point& c) {
    return Point{(a.x + 4 * b.x + c.x) / 6, (a.y + 4 * b.y + c.y) / 6, (a.z + 4 * b.z + c.z) / 6};
  };
  ExpectNear(On(0, first), mean(knots[0], knots[1], knots[2]), 1e-6f);
  ExpectNear(On(1, first), mean(knots[1], knots[2], knots[3]), 1e-6f);

  // Dropping P0 and appending P4 continues the curve: same point, slope and bend.
  ExpectNear(On(1, first), On(0, next), 1e-6f);
  const float h = 1.0f / 64;
  auto slope = [h](const Point& a, const Point& b) { return Point{(b.x - a.x) / h, (b.y - a.y) / h, (b.z - a.z) / h}; };
  ExpectNear(slope(On(1 - h, first), On(1, first)), slope(On(0, next), On(h, next)), 0.2f);
  const Point bendBefore = slope(slope(On(1 - 2 * h, first), On(1 - h, first)), slope(On(1 - h, first), On(1, first)));
  const Point bendAfter = slope(slope(On(0, next), On(h, next)), slope(On(h, next), On(2 * h, next)));
  ExpectNear(bendBefore, bendAfter, 0.5f);
}

TEST(BSpline, HeadsContinueWhereTheyWereWhenTheControlPointsSlide) {
  SetFixedSeed(11u);
  ReseedRandom();
  gViewport.FocalLength = 1;
  auto randomPoint = [](float& x, float& y, float& z) { x = Rnd() * 2 - 1, y = Rnd() * 2 - 1, z = Rnd() * 2; };
  SplineHeads heads(3, 3, false, 1);
  heads.Fill(randomPoint);
  for (int slide = 0; slide < 5; ++slide) {
    heads.Place(1);
    const std::array<Point, 3> before = {{{heads.X(0), heads.Y(0), heads.Z(0)},
                                          {heads.X(1), heads.Y(1), heads.Z(1)},
                                          {heads.X(2), heads.Y(2), heads.Z(2)}}};
    heads.Slide(randomPoint);
    heads.Place(0);
    for (int s = 0; s < 3; ++s) ExpectNear({heads.X(s), heads.Y(s), heads.Z(s)}, before[s], 1e-6f);
  }
}

}  // namespace
}  // namespace pyxora
