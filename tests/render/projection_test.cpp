#include "render/projection.h"

#include <cmath>
#include <vector>

#include "support/test_support.h"

namespace pyxora {
namespace {

class Projection : public testing::CoreTest {};

TEST_F(Projection, TheWorldCentreIsDrawnAtTheSameSizeForAnyFocalLength) {
  SetUpViewport(gViewport, 640, 480, 1.0f);
  EXPECT_EQ(gViewport.CentreX, 320);
  EXPECT_EQ(gViewport.CentreY, 240);
  EXPECT_FLOAT_EQ(gViewport.ProjScale, 280.0f);
  auto p = Project(gViewport, 1, 0, 1);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->x, 600);
  EXPECT_EQ(p->y, 240);

  SetUpViewport(gViewport, 640, 480, 2.0f);
  EXPECT_FLOAT_EQ(gViewport.ProjScale, 560.0f);
  p = Project(gViewport, 1, 0, 2);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->x, 600);
  EXPECT_EQ(p->y, 240);

  SetUpViewport(gViewport, 5, 3, 1.0f);
  EXPECT_EQ(gViewport.CentreX, 2);  // nearest(2.5), halves to even
  EXPECT_EQ(gViewport.CentreY, 2);  // nearest(1.5)
}

TEST_F(Projection, PointsThatCannotBeRepresentedGiveNoPixel) {
  SetUpViewport(gViewport, 640, 480, 1.0f);
  EXPECT_FALSE(Project(gViewport, 1, 0, 1e-30f));
  EXPECT_FALSE(Project(gViewport, 1, 0, 0.0f));
  EXPECT_FALSE(Project(gViewport, std::nanf(""), 0, 1));
  const auto p = Project(gViewport, 0.5f / 280.0f, 0, 1);  // 320.5 rounds to the even 320
  ASSERT_TRUE(p);
  EXPECT_EQ(p->x, 320);
}

TEST_F(Projection, RotatingByZeroAnglesChangesNothing) {
  SetUpViewport(gViewport, 640, 480, 1.5f);
  float x, y, z;
  RotateAboutCentre(x, y, z, 0.3f, -0.2f, 2.1f, 0, 0);
  EXPECT_FLOAT_EQ(x, 0.3f);
  EXPECT_FLOAT_EQ(y, -0.2f);
  EXPECT_FLOAT_EQ(z, 2.1f);
}

TEST_F(Projection, DirectionAnglesAreFiniteEvenForTheZeroVector) {
  float a, b;
  DirectionAngles(0, 0.7f, 0, a, b);
  EXPECT_NEAR(a, 1.5707964f, 1e-6);
  EXPECT_NEAR(b, 3.1415927f, 1e-4);
  DirectionAngles(0, 0, 0, a, b);  // 0/0: the fixed choice is a quarter turn
  EXPECT_FLOAT_EQ(a, 1.5707964f);
  EXPECT_TRUE(std::isfinite(b));
  DirectionAngles(-0.2f, -0.3f, 0.1f, a, b);  // negative parts take the far side of the circle
  EXPECT_GT(a, 3.1415927f);
  EXPECT_GT(b, 3.1415927f);
}

TEST_F(Projection, SymmetricPointsForTwoAndSixPoints) {
  SetUpViewport(gViewport, 640, 480, 1.0f);
  float xs[6] = {0.5f}, ys[6] = {0}, zs[6] = {1.0f};
  MakeSymmetricPoints(xs, ys, zs, 2);
  EXPECT_FLOAT_EQ(xs[1], -0.5f);
  EXPECT_FLOAT_EQ(ys[1], 0.0f);
  EXPECT_FLOAT_EQ(zs[1], 1.0f);

  const float r = 0.7f;
  xs[0] = 0, ys[0] = r, zs[0] = 1.0f;
  MakeSymmetricPoints(xs, ys, zs, 6);
  EXPECT_NEAR(xs[0], 0, 1e-5);
  EXPECT_NEAR(ys[0], r, 1e-5);
  EXPECT_NEAR(zs[0], 1, 1e-5);
  EXPECT_NEAR(ys[1], -r, 1e-5);
  for (int i = 2; i < 6; ++i) {
    EXPECT_NEAR(ys[i], 0, 1e-5) << i;  // the ring lies in the plane y = 0
    EXPECT_NEAR(std::hypot(xs[i], zs[i] - 1), r, 1e-5) << i;
  }
}

TEST_F(Projection, SymmetricPointsStayOnTheSphereForLargeCounts) {
  SetUpViewport(gViewport, 640, 480, 1.3f);
  for (int n : {4, 20, 970}) {
    std::vector<float> xs(n), ys(n), zs(n);
    xs[0] = 0.2f, ys[0] = -0.35f, zs[0] = 1.3f + 0.4f;
    const float r = std::sqrt(0.2f * 0.2f + 0.35f * 0.35f + 0.4f * 0.4f);
    MakeSymmetricPoints(xs.data(), ys.data(), zs.data(), n);
    for (int i = 0; i < n; ++i) {
      const float d = std::sqrt(xs[i] * xs[i] + ys[i] * ys[i] + (zs[i] - 1.3f) * (zs[i] - 1.3f));
      ASSERT_NEAR(d, r, 1e-4) << "n=" << n << " point " << i;
    }
  }
}

}  // namespace
}  // namespace pyxora
