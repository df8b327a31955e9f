// Galaxy construction: profile shapes, star placement, colours, the trail cap and pools.
#include <algorithm>
#include <cmath>

#include "effects/galaxy/galaxy_build.h"
#include "galaxy_fixture.h"

namespace pyxora::testing {
namespace {

using GalaxyBuildTest = GalaxyTest;

TEST_F(GalaxyBuildTest, ProfileEnvelopesHaveTheirShapes) {
  struct Case {
    int16_t profile;
    float r, R, expected;
  };
  const Case cases[] = {
      {0, 0, 1, 1.0f},       {0, 0.25f, 1, 0.7f},   {0, 0.5f, 1, 0.4f},     {0, 0.75f, 1, 0.34641f},
      {0, 1, 1, 0},          {0, 0, 2, 2.0f},       {0, 0.5f, 2, 1.40029f},     {1, 0, 1, 1.0f},
      {1, 0.05f, 1, 0.966506f}, {1, 0.1f, 1, 0.75f}, {1, 0.4f, 1, 0.328675f}, {1, 0.75f, 1, 0.25f},
      {1, 0.9f, 1, 0.2f},    {1, 1.8f, 2, 0.4f},    {2, 0.6f, 1, 0.8f},    {3, 0.25f, 1, 0.75f},   {4, 0.5f, 1, 0.133975f},
      {5, 0.6f, 1, 0.2f},    {6, 0.5f, 1, 0.866025f}, {6, 0, 1, 0},
      // Just beyond the rim a square root would be of a negative number: a flat star.
      {0, 1.001f, 1, 0},     {1, 1.001f, 1, 0},     {2, 1.001f, 1, 0},      {5, 1.001f, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "profile " << c.profile << " r " << c.r << " R " << c.R);
    EXPECT_NEAR(ProfileEnvelope(c.profile, c.r, c.R, c.R * c.R), c.expected, 2e-4f);
  }
}

TEST_F(GalaxyBuildTest, PlacementKeepsStarsInsideTheirShape) {
  struct Case {
    const char* what;
    std::function<void(GalaxySettings&)> change;
    std::function<bool(const StarPlace&, const GalaxySettings&)> holds;
  };
  const Case cases[] = {
      {"conical with ratio 1 stays in the cone",
       [](auto& s) { s.Profile = 3, s.GHW_Ratio = 1, s.HeightExp = 0.5f; },
       [](auto& p, auto& run) { return std::fabs(p.h) <= run.Radius - p.r + 1e-6f && p.r <= run.Radius; }},
      {"radius exponent 0 puts every star on the rim", [](auto& s) { s.RadiusExp = 0; },
       [](auto& p, auto& run) { return std::fabs(p.r - run.Radius) < 1e-6f && p.h == 0; }},
      {"height exponent 0 puts every star on its envelope", [](auto& s) { s.Profile = 2, s.HeightExp = 0, s.GHW_Ratio = 1; },
       [](auto& p, auto& run) { return std::fabs(std::fabs(p.h) - std::sqrt(run.RadiusSq - p.r * p.r)) < 1e-5f; }},
      {"ratio 0 gives a flat disk", [](auto& s) { s.GHW_Ratio = 0; }, [](auto& p, auto&) { return p.h == 0; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const GalaxySettings run = Run(c.change);
    int failures = 0;
    for (int i = 0; i < 2000; ++i) failures += c.holds(PlaceGalaxyStar(run), run) ? 0 : 1;
    EXPECT_EQ(failures, 0);
  }
}

TEST_F(GalaxyBuildTest, ColourMeasuresPickTheirHue) {
  struct Case {
    int16_t comp, hue;
    float colorFactor, r, h, omega;
    int expectedIndex;  // -1: black
  };
  const Case cases[] = {
      {0, 240, 180, 1, 0, 0.01f, 258},   // 0.01 x 180 x 10 + 240
      {0, 240, 180, 1, 0, 0.1f, 60},     // 420 wraps round the wheel
      {1, 240, 180, 1, 0, 0.01f, 282},   // sqrt(1800) = 42.43
      {2, 240, 180, 1, 0, 0, 330},       // half way out: 0.5 x 180
      {3, 240, 180, 1, 0, 0, 285},       // 0.25 x 180
      {2, 0, 1000, 2, 2, 0, 306},        // d beyond R: -414 brought into the wheel
      {4, 240, 180, 1, 0, 0.01f, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "measure " << c.comp << " expected " << c.expectedIndex);
    const GalaxySettings run = Run([&](auto& s) { s.ColorComp = c.comp, s.HWheelIdx = c.hue; });
    const uint32_t expected = c.expectedIndex < 0 ? 0 : HueWheel[static_cast<size_t>(c.expectedIndex)];
    EXPECT_EQ(GalaxyStarColor(run, c.colorFactor, c.r, c.h, c.omega), expected);
  }
}

// Inner stars turn faster (by 1 / sqrt(r)), so with measure 0 their hue lies further from 240.
TEST_F(GalaxyBuildTest, InnerStarsTurnFasterAndTakeHuesFurtherFromTheStart) {
  const GalaxySettings run = Run([](auto& s) { s.ColorComp = 0; });
  GalaxyWorld world(run);
  BuildGalaxy(world, run);
  const GalaxyStars& s = world.stars;
  // Not the innermost star: its hue may have gone right round the wheel.
  const auto inner = std::min_element(s.r.begin(), s.r.end(), [](float a, float b) {
                       return std::fabs(a - 0.1f) < std::fabs(b - 0.1f);
                     }) - s.r.begin();
  const auto outer = std::max_element(s.r.begin(), s.r.end()) - s.r.begin();
  EXPECT_FLOAT_EQ(s.omega[inner], 6.2831855f * 0.00025f / std::sqrt(s.r[inner]));
  EXPECT_GT(s.omega[inner], s.omega[outer]);
  const auto hueOf = [](uint32_t c) { return std::find(HueWheel.begin(), HueWheel.end(), c) - HueWheel.begin(); };
  EXPECT_EQ(hueOf(s.color[outer]), 240 + std::lround(s.omega[outer] * 1800));
  EXPECT_GT(hueOf(s.color[inner]), hueOf(s.color[outer]));
}

TEST_F(GalaxyBuildTest, RunsCapTheTrailRingAndShareOutTheEventPools) {
  struct Case {
    int16_t stars, trail, burstStars, cometStars;
    int32_t trailRun;
    size_t bursts, comets;
  };
  const Case cases[] = {
      {30000, 5, 999, 125, 1, 2, 16},  // 32000 div 30000
      {5000, 7, 1, 1, 6, 2000, 2000},
      {10, 999, 100, 7, 999, 20, 285},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stars);
    const GalaxySettings run = Run([&](auto& s) {
      s.Stars = c.stars, s.Trail = c.trail, s.BurstStars = c.burstStars, s.CometStars = c.cometStars;
    });
    GalaxyWorld world(run);
    EXPECT_EQ(world.trail, c.trailRun);
    EXPECT_EQ(world.stars.ringX.size(), static_cast<size_t>(c.stars) * static_cast<size_t>(c.trailRun));
    EXPECT_EQ(world.bursts.live.size(), c.bursts);
    EXPECT_EQ(world.comets.live.size(), c.comets);
  }
}

TEST_F(GalaxyBuildTest, ANewGalaxyStartsTiltedAtItsDistanceWithAmbientStarsInFront) {
  const GalaxySettings run = Run([](auto& s) { s.AmbSymmetry = 1; });
  GalaxyWorld world(run);
  BuildGalaxy(world, run);
  EXPECT_FLOAT_EQ(world.dist, 3.0f);
  EXPECT_FLOAT_EQ(world.tilt, -run.AngleTilt);
  const AmbientStars& a = world.ambient;
  ASSERT_EQ(a.x.size(), 100u);
  for (size_t i = 0; i < a.x.size(); ++i) {
    // Symmetry 1 draws every star from the whole ball of radius 25, its near half
    // folded behind the galaxy's centre.
    const float z = a.z[i] - world.dist;
    EXPECT_LE(std::sqrt(a.x[i] * a.x[i] + a.y[i] * a.y[i] + z * z), 25.0f);
    EXPECT_GE(z, 0);
    EXPECT_FLOAT_EQ(a.vz[i], -0.00375f);
    EXPECT_EQ(a.colorAge[i], 0);
  }
}

}  // namespace
}  // namespace pyxora::testing
