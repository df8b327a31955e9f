#include "effects/splines/warp.h"

#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "effects/spline_fixture.h"
#include "effects/splines/warp_sim.h"
#include "render/random.h"
#include "settings/properties_model.h"

namespace pyxora {
namespace {

class Warp : public testing::SplineTest {
 protected:
  static WarpRunValues Small(int16_t type) {
    WarpRunValues values;
    values.type = type;
    values.splines = 20;
    values.steps = 40;
    return values;
  }
  // Runs frames until no streak is left, within a generous bound; false if some remain.
  static bool FinishStreaks(WarpSim& sim) {
    sim.SetEmitting(false);
    for (int frame = 0; frame < 5000 && sim.StreaksInUse() > 0; ++frame, sim.AdvancePath()) sim.DrawFrame();
    return sim.StreaksInUse() == 0;
  }
};

TEST_F(Warp, EveryTypeBlanksExactlyWhatItsStreaksDrewOnceTheyAreDone) {
  struct Case {
    int16_t type, trailLen;
    float persist, dampingFactor;
  };
  const Case cases[] = {{0, 10, 0.98f, 0.9925f}, {1, 10, 0.98f, 0.9925f}, {2, 10, 0.98f, 0.9925f},
                        {3, 10, 0.98f, 0.9925f}, {4, 10, 0.98f, 0.9925f}, {0, 1, 0.99f, 1.0f},
                        {3, 25, 0.99f, 0.5f},    {4, 99, 0.25f, 0.75f}};
  for (const Case& c : cases) {
    canvas_.Clear();
    WarpRunValues values = Small(c.type);
    values.trailLen = c.trailLen;
    values.persist = c.persist;
    values.dampingFactor = c.dampingFactor;
    WarpSim sim(values, &canvas_);
    size_t mostLit = 0;
    for (int frame = 0; frame < 60; ++frame, sim.AdvancePath()) {
      sim.DrawFrame();
      mostLit = std::max(mostLit, canvas_.CountLitPixels());
    }
    EXPECT_GT(mostLit, 5u) << "type " << c.type;
    ASSERT_TRUE(FinishStreaks(sim)) << "type " << c.type;
    EXPECT_EQ(canvas_.CountLitPixels(), 0u) << "type " << c.type << " trail " << c.trailLen;
  }
}

TEST_F(Warp, WithATrailOfOneFrameAStreakIsASingleMovingPixel) {
  WarpRunValues values = Small(0);
  values.splines = 1;
  values.trailLen = 1;
  values.speed = 200;
  values.persist = 0.99f;
  WarpSim sim(values, &canvas_);
  sim.DrawFrame();
  ASSERT_EQ(sim.StreaksInUse(), 1);
  sim.SetEmitting(false);
  std::set<std::pair<int, int>> places;
  for (int frame = 0; frame < 100 && sim.StreaksInUse() > 0; ++frame) {
    ASSERT_LE(canvas_.CountLitPixels(), 1u) << frame;
    for (int y = 0; y < canvas_.Height(); ++y)
      for (int x = 0; x < canvas_.Width(); ++x)
        if (canvas_.GetPixel(x, y)) places.insert({x, y});
    sim.DrawFrame();
  }
  EXPECT_GE(places.size(), 3u);

  // Many streaks at once: never more lit pixels than heads in flight.
  WarpSim many(Small(4), &canvas_);
  for (int frame = 0; frame < 40; ++frame) {
    many.DrawFrame();
    EXPECT_LE(canvas_.CountLitPixels(), static_cast<size_t>(many.StreaksInUse()));
  }
}

TEST_F(Warp, WithHueLockEveryLockedSplineSharesOneHueThatAdvancesADegreeAFrame) {
  WarpRunValues values = Small(0);
  values.hueLock = true;
  values.cyclePct = 100;
  values.trailLen = 3;
  WarpSim sim(values, &canvas_);
  for (int frame = 1; frame <= 20; ++frame) {
    sim.DrawFrame();
    EXPECT_EQ(sim.GlobalHue(), frame);
    int fresh = 0;
    sim.ForEachLiveStreak([&](size_t, const WarpSim::Streak& k) {
      if (k.headAlive && k.age == 1) {
        EXPECT_EQ(k.color, HueWheel[frame]);
        ++fresh;
      }
    });
    EXPECT_GT(fresh, 0);
    // On screen: only the hues of the frames so far, each streak keeping the hue of its start.
    const std::set<uint32_t> huesSoFar(HueWheel.begin() + 1, HueWheel.begin() + frame + 1);
    for (const uint32_t colour : LitColours()) EXPECT_TRUE(huesSoFar.count(colour)) << frame;
  }
}

TEST_F(Warp, CyclingSplinesWithoutHueLockStartAtRedAndStepOneDegreePerStreak) {
  WarpRunValues values = Small(0);
  values.cyclePct = 100;
  WarpSim sim(values, &canvas_);
  sim.DrawFrame();
  for (int s = 0; s < sim.Splines(); ++s) EXPECT_EQ(sim.hueCounter_[s], 1);
  for (const uint32_t colour : LitColours()) EXPECT_EQ(colour, HueWheel[1]);
}

TEST_F(Warp, WithNoLockedSplinesEveryStreakTakesItsSplinesColourFromTheColourModel) {
  gColorSettings.ColorPctHue = 0;  // every source fixed: one colour per spline
  WarpRunValues values = Small(1);
  values.cyclePct = 0;
  WarpSim sim(values, &canvas_);
  std::set<uint32_t> splineColours;
  for (int s = 0; s < sim.Splines(); ++s) splineColours.insert(sim.source_[s].color);
  for (int frame = 0; frame < 30; ++frame, sim.AdvancePath()) {
    sim.DrawFrame();
    for (const uint32_t colour : LitColours()) EXPECT_TRUE(splineColours.count(colour)) << frame;
  }
  const int32_t perSpline = values.sparksPerSpline;
  sim.ForEachLiveStreak([&](size_t i, const WarpSim::Streak& k) {
    EXPECT_TRUE(sim.SlotInUse(i));
    EXPECT_EQ(k.color, sim.source_[i / perSpline].color);
  });
}

// Streaks start and finish in every frame, at every rank among their spline's live
// ones: each keeps its own record (its path goes on from where it was) and the records
// stay in slot order, one per busy slot.
TEST_F(Warp, StreaksKeepTheirOwnPathsAndTheirSlotOrderAsOthersStartAndFinish) {
  // Beyond 128 slots a streak's place counts the busy slots of several words.
  for (const size_t perSpline : {7, 200}) {
    WarpRunValues values = Small(0);
    values.sparksPerSpline = static_cast<int16_t>(perSpline);
    values.persist = 0.8f;
    values.trailLen = 3;
    WarpSim sim(values, &canvas_);
    std::map<size_t, WarpSim::Streak> before;
    int continued = 0, started = 0;
    for (int frame = 0; frame < 300; ++frame, sim.AdvancePath()) {
      sim.DrawFrame();
      std::map<size_t, WarpSim::Streak> now;
      size_t previous = SIZE_MAX;
      sim.ForEachLiveStreak([&](size_t i, const WarpSim::Streak& k) {
        const size_t spline = i / perSpline;
        ASSERT_TRUE(previous == SIZE_MAX || previous / perSpline != spline || previous < i) << frame;
        previous = i;
        EXPECT_TRUE(sim.SlotInUse(i));
        now[i] = k;
        const auto was = before.find(i);
        if (was == before.end()) {
          EXPECT_EQ(k.age, 1) << "a streak from nowhere, frame " << frame;
          ++started;
          return;
        }
        const WarpSim::Streak& old = was->second;
        EXPECT_EQ(k.age, old.age + (old.headAlive ? 1 : 0)) << "another streak in a busy slot, frame " << frame;
        if (old.headAlive) {
          EXPECT_EQ(k.x, old.x + old.vx) << frame;
        }
        if (old.tailActive) {
          EXPECT_EQ(k.tx, old.tx + old.tvx) << frame;
        }
        ++continued;
      });
      EXPECT_EQ(static_cast<int32_t>(now.size()), sim.StreaksInUse()) << frame;
      before = std::move(now);
    }
    EXPECT_GT(started, 1000);
    EXPECT_GT(continued, 3000);
  }
}

// Each spline's streaks fly at the run's speed times 0.002 times a random factor from 1
// up to the size deviation.
TEST_F(Warp, EachSplinesSpeedScalesByARandomFactorUpToTheSizeDeviation) {
  WarpRunValues values = Small(0);
  values.sizeDev = 5;
  WarpSim sim(values, &canvas_);
  std::set<float> speeds(sim.speed_.begin(), sim.speed_.end());
  EXPECT_GT(speeds.size(), 10u);
  EXPECT_GE(*speeds.begin(), values.speed * 0.002f);
  EXPECT_LT(*speeds.rbegin(), values.speed * 0.002f * 5);
  EXPECT_GT(*speeds.rbegin(), values.speed * 0.002f * 3);  // the factors spread over the range
}

// Every control point is a fresh (2 Rnd - 1, 2 Rnd - 1, 2 Rnd - 1 + focal length), in the
// cube of half-size 1 about the world centre: the first ones, and each new last one.
TEST_F(Warp, ThePathAdvancesAStepAFrameAndSlidesOnToFreshPointsAfterItsSteps) {
  SetUpViewport(gViewport, kWidth, kHeight, 2);
  auto fresh = [] {
    const std::vector<float> u = testing::UpcomingRnd(3);
    return std::vector<float>{2 * u[0] - 1, 2 * u[1] - 1, 2 * u[2] - 1 + 2};
  };
  WarpRunValues values = Small(0);
  values.steps = 4;
  ReseedRandom();
  const std::vector<float> first = fresh();
  WarpSim sim(values, &canvas_);
  const SplineHeads& h = sim.Heads();
  EXPECT_EQ((std::vector<float>{h.ControlX(0, 0), h.ControlY(0, 0), h.ControlZ(0, 0)}), first);
  const float next = h.ControlX(0, 1);
  for (int frame = 1; frame < 4; ++frame) {
    sim.AdvancePath();
    EXPECT_FLOAT_EQ(h.T(), frame / 4.0f);
  }
  const std::vector<float> last = fresh();
  sim.AdvancePath();
  EXPECT_EQ(h.T(), 0.0f);
  EXPECT_EQ(h.ControlX(0, 0), next);
  EXPECT_EQ((std::vector<float>{h.ControlX(0, 3), h.ControlY(0, 3), h.ControlZ(0, 3)}), last);
}

TEST_F(Warp, EachTypeStartsItsStreaksWhereItsRowOfTheTableSays) {
  for (const int16_t type : {0, 1, 2, 3, 4}) {
    WarpRunValues values = Small(type);
    values.persist = 0.99f;
    WarpSim sim(values, &canvas_);
    sim.DrawFrame();
    const float f = gViewport.FocalLength;
    int checked = 0;
    sim.ForEachLiveStreak([&](size_t i, const WarpSim::Streak& k) {
      if (k.tailActive) return;  // a tail that has moved no longer marks the start
      const int s = static_cast<int>(i) / values.sparksPerSpline;
      const SplineHeads& h = sim.Heads();
      // Types 0 and 2: out of the world centre toward the head.
      float x = 0, y = 0, z = f, vx = h.X(s), vy = h.Y(s), vz = h.Z(s) - f;
      if (type == 1 || type == 3) {  // from the head's mirror through the z axis, across it
        x = -h.X(s), y = -h.Y(s), z = h.Z(s);
        vz = 0;
      }
      if (type == 4) x = h.X(s) / 2, y = h.Y(s) / 2, z = (f + h.Z(s)) / 2;  // from half way, outward
      const float speed = sim.speed_[static_cast<size_t>(s)];
      EXPECT_FLOAT_EQ(k.tx, x) << "type " << type << " spline " << s;
      EXPECT_FLOAT_EQ(k.ty, y) << "type " << type << " spline " << s;
      EXPECT_FLOAT_EQ(k.tz, z) << "type " << type << " spline " << s;
      EXPECT_FLOAT_EQ(k.tvx, vx * speed) << "type " << type << " spline " << s;
      EXPECT_FLOAT_EQ(k.tvy, vy * speed) << "type " << type << " spline " << s;
      EXPECT_FLOAT_EQ(k.tvz, vz * speed) << "type " << type << " spline " << s;
      ++checked;
    });
    EXPECT_GT(checked, 5) << "type " << type;
  }
}

TEST_F(Warp, SymmetricTypesPlaceTheirHeadsOnOneSphere) {
  for (int16_t type = 0; type <= 4; ++type) {
    WarpRunValues values = Small(type);
    values.splines = 15;
    WarpSim sim(values, &canvas_);
    ASSERT_EQ(sim.Splines(), type >= 2 ? 10 : 15) << type;
    if (type < 2) continue;
    sim.DrawFrame();
    const SplineHeads& h = sim.Heads();
    auto radius = [&](int s) { return std::hypot(h.X(s), h.Y(s), h.Z(s) - gViewport.FocalLength); };
    for (int s = 1; s < h.Count(); ++s) EXPECT_NEAR(radius(s), radius(0), 1e-4) << type;
  }
}

TEST_F(Warp, ThePreviewRunsWhatTheBoxesSayClampedUntilAskedToStop) {
  PropertiesModel props;
  const char* texts[] = {"3", "5", "200", "x", "12.5", "1", "0", "0.5", "150"};
  for (int i = 0; i < 9; ++i) props.SetText("txtWarp", i, texts[i]);
  props.Lists["cboWarpType"] = 7;
  props.Checks["chkWarpHueLock"] = true;
  EndRunAfter(5);
  PreviewWarp(props);
  EXPECT_FALSE(gState.PreviewStopRequested);
  EXPECT_EQ(host_.presented, 5);

  const WarpParams& p = gWarpParams;
  EXPECT_EQ(p.Works, 3);
  EXPECT_EQ(p.Sparks, 10);
  EXPECT_EQ(p.Length, 99);
  EXPECT_EQ(p.SplineIncs, 1);
  EXPECT_EQ(p.Speed, 12.5f);
  EXPECT_FLOAT_EQ(p.Persist, 0.99f);
  EXPECT_EQ(p.SizeDev, 1);
  EXPECT_EQ(p.Damping, 0.5f);
  EXPECT_EQ(p.CyclePct, 100);
  EXPECT_EQ(p.Type, 4);
  EXPECT_EQ(p.HueLock, 1);
}

TEST_F(Warp, TheStreakSlotsPerSplineScaleWithThePerformanceMultiplier) {
  gState.PerfMult = 0.5f;
  LoadWarpSettings(true);
  EXPECT_EQ(gWarpParams.Sparks, 18);  // 17.5, halves to even
  LoadWarpSettings(false);
  EXPECT_EQ(gWarpParams.Sparks, 35);
  EXPECT_EQ(gWarpParams.Type, 4);
  EXPECT_EQ(gWarpParams.HueLock, 0);
}

}  // namespace
}  // namespace pyxora
