#include "effects/splines/sparklers.h"

#include <cmath>

#include "effects/spline_fixture.h"
#include "effects/splines/sparkler_sim.h"
#include "render/projection.h"
#include "settings/properties_model.h"

namespace pyxora {
namespace {

class Sparklers : public testing::SplineTest {
 protected:
  static float DistanceFromCentre(float x, float y, float z) {
    const float dz = z - gViewport.FocalLength;
    return std::sqrt(x * x + y * y + dz * dz);
  }
};

TEST_F(Sparklers, SymmetricFiguresTakeTheNearestCountTheSphereAccepts) {
  const std::pair<int16_t, int16_t> counts[] = {{1, 2},  {3, 2},   {4, 4},   {5, 4},   {6, 6},
                                                {9, 6},  {10, 10}, {15, 10}, {20, 20}, {999, 970}};
  for (const auto& [asked, got] : counts) EXPECT_EQ(SymmetricHeadCount(asked), got) << asked;
}

TEST_F(Sparklers, SymmetricHeadsLieOnOneSphereAboutTheCentreWithHuesSpreadRoundTheWheel) {
  for (const int16_t asked : {3, 15, 20}) {
    SparklerRunValues values;
    values.heads = asked;
    values.steps = 5;
    SparklerSim sim(values, &canvas_);
    const SplineHeads& heads = sim.Heads();
    ASSERT_EQ(heads.Count(), SymmetricHeadCount(asked));
    for (int frame = 0; frame < 12; ++frame) {  // across two slides of the path
      sim.DrawFrame();
      const float radius = DistanceFromCentre(heads.X(0), heads.Y(0), heads.Z(0));
      for (int s = 1; s < heads.Count(); ++s)
        EXPECT_NEAR(DistanceFromCentre(heads.X(s), heads.Y(s), heads.Z(s)), radius, 1e-4f) << asked << " " << s;
      sim.AdvancePath();
    }
    for (int s = 0; s < heads.Count(); ++s)
      EXPECT_EQ(sim.HeadColor(s).hue, std::nearbyint(double(s) / heads.Count() * 360 + 1)) << s;
  }
}

TEST_F(Sparklers, OneStepPerControlPointKeepsEveryHeadAtTheStartOfASlidingSegment) {
  SparklerRunValues values;
  values.heads = 4;
  values.symmetric = false;
  values.steps = 1;
  SparklerSim sim(values, &canvas_);
  const SplineHeads& heads = sim.Heads();
  for (int frame = 0; frame < 6; ++frame) {
    float before[4][3][4];
    for (int s = 0; s < 4; ++s)
      for (int k = 0; k < 4; ++k)
        before[s][0][k] = heads.ControlX(s, k), before[s][1][k] = heads.ControlY(s, k),
        before[s][2][k] = heads.ControlZ(s, k);
    sim.DrawFrame();
    EXPECT_EQ(sim.T(), 0.0f);
    for (int s = 0; s < 4; ++s) {
      const float* x = before[s][0];
      EXPECT_NEAR(heads.X(s), (x[0] + 4 * x[1] + x[2]) / 6, 1e-6f);
      const float* z = before[s][2];
      EXPECT_NEAR(heads.Z(s), (z[0] + 4 * z[1] + z[2]) / 6, 1e-6f);
    }
    sim.AdvancePath();
    for (int s = 0; s < 4; ++s)
      for (int k = 0; k < 3; ++k) EXPECT_EQ(heads.ControlY(s, k), before[s][1][k + 1]);
  }
}

TEST_F(Sparklers, ControlPointsStayInTheCubeOfTheMaximumExtent) {
  SparklerRunValues values;
  values.symmetric = false;
  values.extent = 0.3f;
  values.steps = 1;
  SparklerSim sim(values, &canvas_);
  for (int frame = 0; frame < 20; ++frame, sim.AdvancePath())
    for (int s = 0; s < sim.Heads().Rows(); ++s)
      for (int k = 0; k < 4; ++k) {
        EXPECT_LE(std::fabs(sim.Heads().ControlX(s, k)), 0.3f);
        EXPECT_LE(std::fabs(sim.Heads().ControlZ(s, k) - 1.0f), 0.3f + 1e-6f);
      }
}

TEST_F(Sparklers, ASparkThatLeavesTheSurfaceIsDrawnAtItsNewHeadInTheSameFrame) {
  SparklerRunValues values;
  values.heads = 1;
  values.sparks = 1;
  values.symmetric = false;
  values.persist = 0.99f;
  values.antiGrav = 0;
  SparklerSim sim(values, &canvas_);
  sim.DrawFrame();
  ASSERT_EQ(canvas_.CountLitPixels(), 1u);

  sim.vx_[0] = 50;  // far off the right edge after the next move
  sim.DrawFrame();
  const SplineHeads& heads = sim.Heads();
  EXPECT_EQ(sim.px_[0], heads.X(0));
  EXPECT_EQ(sim.py_[0], heads.Y(0));
  EXPECT_EQ(sim.pz_[0], heads.Z(0));
  const auto p = Project(gViewport, heads.X(0), heads.Y(0), heads.Z(0));
  ASSERT_TRUE(p);
  EXPECT_EQ(canvas_.GetPixel(p->x, p->y), sim.color_[0]);
  EXPECT_EQ(canvas_.CountLitPixels(), 1u);  // and its old pixel was erased
}

TEST_F(Sparklers, GravityIsAddedBeforeTheDamping) {
  SparklerRunValues values;
  values.heads = 1;
  values.sparks = 1;
  values.symmetric = false;
  values.persist = 0.99f;
  values.gravity = 0.004f;
  values.dampingFactor = 0.5f;
  SparklerSim sim(values, &canvas_);
  sim.vx_[0] = sim.vy_[0] = sim.vz_[0] = 0;
  sim.DrawFrame();
  ASSERT_EQ(sim.vx_[0], 0.0f) << "the spark was recycled; pick another seed";
  EXPECT_FLOAT_EQ(sim.vy_[0], 0.002f);
}

TEST_F(Sparklers, TheSolarWindPushesNewSparksOutwardAndZeroMeansNoPush) {
  for (const float antiGrav : {0.0f, 8.0f}) {
    SparklerRunValues values;
    values.antiGrav = antiGrav;
    values.emitSpeed = 0.003f;
    SparklerSim sim(values, &canvas_);
    for (int32_t i = 0; i < sim.SparkCount(); ++i) {
      const float vx = sim.vx_[i], vy = sim.vy_[i], vz = sim.vz_[i];
      const float dx = sim.px_[i], dy = sim.py_[i], dz = sim.pz_[i] - gViewport.FocalLength;
      const float outward = (vx * dx + vy * dy + vz * dz) / std::sqrt(dx * dx + dy * dy + dz * dz);
      if (antiGrav == 0) {
        EXPECT_NEAR(std::sqrt(vx * vx + vy * vy + vz * vz), 0.003f, 1e-6f) << i;
      } else {
        EXPECT_GE(outward, 0.003f * (antiGrav - 1) - 1e-6f) << i;
      }
    }
  }
}

TEST_F(Sparklers, TheSparkCountScalesWithThePerformanceMultiplierOnlyWhenAsked) {
  gState.PerfMult = 2.5f;
  LoadSparklerSettings(false);
  EXPECT_EQ(gSparklerParams.Pixels, 3000);
  LoadSparklerSettings(true);
  EXPECT_EQ(gSparklerParams.Pixels, 7500);
  Put(kSparklerSection, "B_Spline_Pixels", "9999");
  gState.PerfMult = 9.9f;
  LoadSparklerSettings(true);  // beyond 16 bits: as many as a run can take, not unscaled
  EXPECT_EQ(gSparklerParams.Pixels, 32767);

  Put(kSparklerSection, "B_Spline_Symmetry", "-1");
  Put(kSparklerSection, "B_Spline_AntiGrav", "2.5");
  LoadSparklerSettings(false);
  EXPECT_EQ(gSparklerParams.Symmetry, -1);  // only 1 turns symmetry on
  EXPECT_EQ(gSparklerParams.AntiGrav, 2.0f);  // stored as a whole number, halves to even
}

TEST_F(Sparklers, ThePreviewRunsWhatTheBoxesSayClampedUntilAskedToStop) {
  PropertiesModel props;
  const char* texts[] = {"15", "12abc", "", "0.1", "5", "-3", "2", "7.5", "200"};
  for (int i = 0; i < 9; ++i) props.SetText("txtSpline", i, texts[i]);
  props.Checks["chkSplineSym"] = true;
  EndRunAfter(4);
  PreviewSparklers(props);
  EXPECT_FALSE(gState.PreviewStopRequested);  // obeyed and cleared
  EXPECT_EQ(host_.presented, 4);
  EXPECT_GT(canvas_.CountLitPixels(), 0u);

  const SparklerParams& p = gSparklerParams;
  EXPECT_EQ(p.Splines, 15);
  EXPECT_EQ(p.Pixels, 12);
  EXPECT_EQ(p.SSpeed, 1);
  EXPECT_FLOAT_EQ(p.ESpeed, 0.25f);
  EXPECT_FLOAT_EQ(p.Persist, 0.99f);
  EXPECT_EQ(p.Gravity, 0.0f);
  EXPECT_EQ(p.Damping, 1.0f);
  EXPECT_EQ(p.AntiGrav, 7.5f);
  EXPECT_EQ(p.MaxExtent, 99.0f);
  EXPECT_EQ(p.Symmetry, 1);
}

TEST_F(Sparklers, ARunClampsItsSettingsAndConvertsThemToSimulationUnits) {
  struct Case {
    SparklerParams stored;
    int16_t heads, sparks, steps;
    float emitSpeed, persist, gravity, antiGrav, extent;
    bool symmetric;
  };
  const Case cases[] = {
      {SparklerParams{}, 20, 3000, 200, 0.002f, 0.95f, 0.0f, 4.0f, 0.75f, true},
      {{0, 5, 0, 0.1f, 0.1f, -1, 0, -2, 0, 2}, 1, 10, 1, 0.00025f, 0.25f, 0.0f, 0.0f, 0.001f, false},
      {{1000, 10000, 1000, 1000, 1, 10, 0, 1000, 100, 1}, 999, 9999, 999, 0.999f, 0.99f, 0.00999f, 999, 99, true},
      {{7, 500, 30, 37.5f, 0.5f, 2.5f, 0, 8, 3, -1}, 7, 500, 30, 0.0375f, 0.5f, 0.0025f, 8, 3, false},
  };
  for (const Case& c : cases) {
    const SparklerRunValues v = SparklerRunValuesFrom(c.stored);
    EXPECT_EQ(v.heads, c.heads);
    EXPECT_EQ(v.sparks, c.sparks);
    EXPECT_EQ(v.steps, c.steps);
    EXPECT_FLOAT_EQ(v.emitSpeed, c.emitSpeed) << "thousandths of a world unit per frame";
    EXPECT_FLOAT_EQ(v.persist, c.persist);
    EXPECT_FLOAT_EQ(v.gravity, c.gravity);
    EXPECT_FLOAT_EQ(v.antiGrav, c.antiGrav);
    EXPECT_FLOAT_EQ(v.extent, c.extent);
    EXPECT_EQ(v.symmetric, c.symmetric);
  }
}

TEST_F(Sparklers, TheAboutWindowMiniatureDrawsUntilItsFramesAreUsedUp) {
  gState.CycleFrameLimit = 30;
  RunSparklersDemo();
  EXPECT_EQ(gState.CycleFrameCount, 30);
  EXPECT_GT(canvas_.CountLitPixels(), 0u);
}

}  // namespace
}  // namespace pyxora
