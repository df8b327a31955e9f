// How a shell bursts: the kind and spread choices, the geometric solids, the closed
// spline, flat rings, and the sub-shells of a multi-burst.
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "effects/fireworks/fireworks_bursts.h"
#include "fireworks_fixture.h"
#include "effects/fireworks/fireworks_sounds.h"
#include "render/random_vectors.h"
#include "render/sound_output.h"

namespace pyxora::testing {
namespace {

class FireworksBurstsTest : public FireworksTest {};

// Running sums of the seven percentages, compared strictly with r.
TEST_F(FireworksBurstsTest, TheKindIsTheFirstWhoseRunningSumExceedsR) {
  const struct {
    int16_t scint, multi, jet, sparkler, ring, twister, decay;
    float r;
    int16_t kind;
  } cases[] = {
      {10, 10, 10, 10, 10, 10, 10, 9.99f, kScintillator},
      {10, 10, 10, 10, 10, 10, 10, 10.0f, kMultiBurst},  // equal is not greater
      {10, 10, 10, 10, 10, 10, 10, 29.5f, kJetBurst},
      {10, 10, 10, 10, 10, 10, 10, 39.0f, kSparkler},
      {10, 10, 10, 10, 10, 10, 10, 40.0f, kRingBurst},
      {10, 10, 10, 10, 10, 10, 10, 55.0f, kTwister},
      {10, 10, 10, 10, 10, 10, 10, 69.99f, kDecayStars},
      {10, 10, 10, 10, 10, 10, 10, 70.0f, kStandard},
      {0, 0, 0, 0, 0, 0, 0, 0.0f, kStandard},  // a kind at 0 % never occurs
      {0, 0, 0, 0, 0, 0, 1, 0.0f, kDecayStars},
      {100, 100, 0, 0, 0, 0, 0, 99.99f, kScintillator},
      {0, 60, 0, 0, 0, 0, 40, 99.99f, kDecayStars},  // 100 in all: never standard
  };
  for (const auto& c : cases) {
    FireworksSettings s = Settings();
    s.FireScintPct = c.scint, s.FireMultiPct = c.multi, s.FireBurstPct = c.jet, s.FireSparkPct = c.sparkler;
    s.FireRingPct = c.ring, s.FireTwistPct = c.twister, s.FireDecayPct = c.decay;
    EXPECT_EQ(ChooseBurstKind(s, c.r), c.kind) << "r = " << c.r;
  }
}

inline float Length(float x, float y, float z) { return std::sqrt(x * x + y * y + z * z); }

// Each kind lays out its groups of Stride slots and plays its sound. With symmetry 1 and
// size 0.0025 a spark leaves at FireSpeed * 0.0025; a jet head at three quarters of that.
TEST_F(FireworksBurstsTest, EachKindSetsUpItsGroups) {
  gFireSounds = {true, {"launch", "standard", "multi", "jet", "scint", "sparkle", "ring", "twister", "decay"}};
  std::vector<std::string> played;
  SetSoundOutput([&](const std::string& path) { played.push_back(path); });
  const struct {
    int16_t FireworksSettings::*percent;
    const char* sound;
    int16_t kind, stride, count;
    float headOut;      // head distance from the centre, in units of FireSpeed * size
    float trailSpeed;   // trail sparks (0: none)
    bool white;         // heads white, else hue-wheel colours
  } cases[] = {
      {&FireworksSettings::FireLaunchPct, "launch", kRising, 2, 300, 0, 1.25f * 0.0025f, false},
      {nullptr, "standard", kStandard, 1, 600, 0, 0, false},
      {&FireworksSettings::FireMultiPct, "multi", kMultiBurst, 40, 15, 0, 0, true},
      {&FireworksSettings::FireBurstPct, "jet", kJetBurst, 50, 12 * 49, 0.75f, 3 * 0.0025f, false},
      {&FireworksSettings::FireSparkPct, "sparkle", kSparkler, 5, 120, 0, 0, false},
      {&FireworksSettings::FireTwistPct, "twister", kTwister, 50, 12 * 49, 1, 2 * 0.0025f, false},
      {&FireworksSettings::FireDecayPct, "decay", kDecayStars, 7, 85, 0, 0, true},
      {&FireworksSettings::FireRingPct, "ring", kStandard, 1, 600, 0, 0, false},  // then a standard burst
      {&FireworksSettings::FireScintPct, "scint", kScintillator, 0, 0, 0, 0, true},
  };
  const std::set<uint32_t> wheel(HueWheel.begin(), HueWheel.end());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sound);
    FireworksRun run(Settings([&](FireworksSettings& f) {
                       StandardOnly(f);
                       if (c.percent) f.*c.percent = 100;
                       f.FireSparks = 600, f.FireSizeDev = 1, f.FireSymmetry = 1, f.FireSpeed = 4;
                       f.FireSplinePct = f.FirePatternPct = 0;
                     }),
                     canvas_);
    played.clear();
    StartShell(run, 0);
    const FireShell& sh = run.shells[0];
    EXPECT_EQ(played, std::vector<std::string>{c.sound});
    EXPECT_EQ(sh.Kind, c.kind);
    if (c.kind == kScintillator) {  // 5, 9, .. 37 slots a group
      EXPECT_EQ((sh.Stride - 5) % 4, 0);
      EXPECT_EQ(sh.SparkCount, 600 / sh.Stride);
    } else {
      EXPECT_EQ(sh.Stride, c.stride);
      EXPECT_EQ(sh.SparkCount, c.count);
    }
    if (c.kind == kStandard) EXPECT_TRUE(sh.TrailLength >= 2 && sh.TrailLength <= 6);  // Int(Rnd 5) + nearest(ln 5)
    else EXPECT_EQ(sh.TrailLength, 1);
    if (c.kind == kRising) {  // a trail of white sparks at the shell
      for (int j = 0; j < 301; ++j) {
        const FireSpark& p = run.sparks[static_cast<size_t>(j)];
        ASSERT_EQ(p.Alive, j < 300);
        if (j == 300) break;
        EXPECT_EQ(std::make_tuple(p.X, p.Y, p.Z, p.Colour), std::make_tuple(sh.X, sh.Y, sh.Z, 255u));
        EXPECT_NEAR(Length(p.VX, p.VY, p.VZ), c.trailSpeed, 1e-6f);
      }
      continue;
    }
    for (int j = 0; j + sh.Stride <= 600; j += sh.Stride) {
      const FireSpark& head = run.sparks[static_cast<size_t>(j)];
      ASSERT_TRUE(head.Alive);
      const float out = Length(head.X - sh.X, head.Y - sh.Y, head.Z - sh.Z);
      EXPECT_NEAR(out, c.headOut * 0.01f, 1e-6f);
      if (c.headOut == 0) {  // a head that is drawn
        EXPECT_NEAR(Length(head.VX, head.VY, head.VZ), 0.01f, 1e-6f);
        EXPECT_TRUE(c.white ? head.Colour == 0xFFFFFF : wheel.count(head.Colour) == 1);
      }
      if (c.kind == kDecayStars) {
        EXPECT_TRUE(head.Life >= 5 && head.Life <= 79);
      }
      if (c.kind == kTwister) {
        EXPECT_EQ(std::make_tuple(head.TailX, head.TailY, head.TailZ, head.TailVX),
                  std::make_tuple(sh.X, sh.Y, sh.Z, 0.0f));
      }
      for (int k = j + 1; k < j + sh.Stride; ++k) {
        const FireSpark& p = run.sparks[static_cast<size_t>(k)];
        ASSERT_EQ(p.Alive, c.trailSpeed > 0 || c.kind == kStandard);
        if (c.trailSpeed == 0) continue;
        EXPECT_EQ(std::make_tuple(p.X, p.Y, p.Z), std::make_tuple(head.X, head.Y, head.Z));
        EXPECT_NEAR(Length(p.VX, p.VY, p.VZ), c.trailSpeed, 1e-6f);
        EXPECT_TRUE(c.kind == kJetBurst ? p.Colour == 255 : wheel.count(p.Colour) == 1);  // jets: a grey level
      }
    }
  }
  SetSoundOutput({});
  gFireSounds = {};
}

// The spread is a spline when FireSplinePct > r, else a solid (number Int(Rnd 4)) when
// FireSplinePct + FirePatternPct > r, else a sphere; r = Rnd 100.
TEST_F(FireworksBurstsTest, TheSpreadIsChosenByRunningSumsOfItsPercentages) {
  ReseedRandom();
  const std::vector<float> next = UpcomingRnd(2);
  const auto r = static_cast<int16_t>(next[0] * 100);  // r lies between this and the next whole number
  ASSERT_NE(next[0] * 100, r);
  const auto solid = static_cast<int16_t>(next[1] * 4);
  const struct {
    int16_t spline, pattern, mode;
  } cases[] = {
      {static_cast<int16_t>(r + 1), 0, kSpreadSpline}, {r, 0, kSpreadSphere},
      {r, 1, kSpreadSolid},                            {0, static_cast<int16_t>(r + 1), kSpreadSolid},
      {0, r, kSpreadSphere},                           {static_cast<int16_t>(r + 1), 100, kSpreadSpline},
  };
  for (const auto& c : cases) {
    FireworksSettings s = Settings();
    s.FireSplinePct = c.spline, s.FirePatternPct = c.pattern;
    ReseedRandom();
    const BurstSpread spread = ChooseSpread(s);
    EXPECT_EQ(spread.mode, c.mode) << c.spline << "% spline, " << c.pattern << "% solid, r " << next[0] * 100;
    if (c.mode == kSpreadSolid) {
      EXPECT_EQ(spread.pattern, solid);
    }
  }
}

// A spark leaves at ((1 - FireSymmetry) Rnd + FireSymmetry) FireSpeed size, a jet head
// at that factor x 0.5 + 0.25; a burst's size is ((FireSizeDev - 1) Rnd + 1) 0.0025, one
// draw per burst. Each speed spreads over its whole range (in FireSpeed x 0.0025).
TEST_F(FireworksBurstsTest, SizeAndSymmetrySpreadSparkAndJetSpeeds) {
  const struct {
    int16_t FireworksSettings::*percent;
    int16_t sizeDev;
    float symmetry, least, most;
  } cases[] = {{nullptr, 3, 1, 1, 3}, {nullptr, 1, 0.5f, 0.5f, 1}, {&FireworksSettings::FireBurstPct, 1, 0.5f, 0.5f, 0.75f}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.percent ? "jet" : "spark") << ", size " << c.sizeDev);
    FireworksRun run(Settings([&](FireworksSettings& f) {
                       StandardOnly(f);
                       if (c.percent) f.*c.percent = 100;
                       f.FireBurstCount = 99, f.FireSizeDev = c.sizeDev, f.FireSymmetry = c.symmetry, f.FireSpeed = 4;
                       f.FireSplinePct = f.FirePatternPct = 0;
                     }),
                     canvas_);
    float least = 10, most = 0;
    for (int n = 0; n < 40; ++n) {
      run.shells[0].Kind = kStandard;
      StartShell(run, 0);
      const FireShell& sh = run.shells[0];
      const float first = Length(run.sparks[0].VX, run.sparks[0].VY, run.sparks[0].VZ) / 0.01f;
      for (int j = 0; j + sh.Stride <= run.s.FireSparks; j += sh.Stride) {
        const FireSpark& p = run.sparks[static_cast<size_t>(j)];
        const float speed = Length(p.VX, p.VY, p.VZ) / 0.01f;
        if (c.symmetry == 1) {
          ASSERT_NEAR(speed, first, 1e-4f);  // one size for the whole burst
        }
        least = std::min(least, speed), most = std::max(most, speed);
      }
    }
    const float reach = c.most - c.least;
    EXPECT_GE(least, c.least - 1e-4f);
    EXPECT_LT(least, c.least + 0.2f * reach);
    EXPECT_LE(most, c.most + 1e-4f);
    EXPECT_GT(most, c.most - 0.2f * reach);
  }
}

TEST_F(FireworksBurstsTest, RotateVectorTurnsAboutYThenAboutX) {
  constexpr float q = 1.5707964f;
  const struct {
    float x, y, z, a, b, rx, ry, rz;
  } cases[] = {
      {1, 0, 0, 0, q, 0, 0, 1},       // b about y: x goes to z
      {0, 0, 1, 0, q, -1, 0, 0},      // and z to -x
      {0, 1, 0, q, 0, 0, 0, -1},      // a about x: y goes to -z
      {0, 0, 1, q, 0, 0, 1, 0},       // and z to y
      {1, 0, 0, q, q, 0, 1, 0},       // b first, then a
      {2, 3, 4, 0, 0, 2, 3, 4},
  };
  for (const auto& c : cases) {
    float rx = 0, ry = 0, rz = 0;
    RotateVector(c.x, c.y, c.z, c.a, c.b, rx, ry, rz);
    EXPECT_NEAR(rx, c.rx, 1e-6) << c.x << "," << c.y << "," << c.z;
    EXPECT_NEAR(ry, c.ry, 1e-6) << c.x << "," << c.y << "," << c.z;
    EXPECT_NEAR(rz, c.rz, 1e-6) << c.x << "," << c.y << "," << c.z;
  }
}

// With symmetry 1 every spark has the same speed, so the solids have sharp faces:
// h = FireSpeed * size * 0.6666.
TEST_F(FireworksBurstsTest, SolidsFillTheirShapes) {
  const FireworksSettings s = Settings([](FireworksSettings& f) { f.FireSymmetry = 1, f.FireSpeed = 6; });
  const float h = 6 * 0.01f * 0.6666f;
  constexpr float tol = 1e-6f;
  for (int16_t pattern = 0; pattern < 4; ++pattern) {
    SCOPED_TRACE(::testing::Message() << "solid " << pattern);
    std::set<int> faces;
    float lowest = 0, highest = 0;
    for (int n = 0; n < 3000; ++n) {
      float vx = 0, vy = 0, vz = 0;
      PatternVelocity(s, vx, vy, vz, pattern, 0.01f);
      lowest = std::min(lowest, vy), highest = std::max(highest, vy);
      switch (pattern) {
        case 0: {  // on the cube's surface: one component at +-h, the others inside
          const float m = std::max({std::fabs(vx), std::fabs(vy), std::fabs(vz)});
          ASSERT_NEAR(m, h, tol);
          const float comps[] = {vx, -vx, vy, -vy, vz, -vz};
          for (int f = 0; f < 6; ++f)
            if (std::fabs(comps[f] - h) < tol) faces.insert(f);
          break;
        }
        case 1:  // apex up (y grows downward): the cross-section widens towards +h
          ASSERT_LE(std::max(std::fabs(vx), std::fabs(vz)), (h + vy) / 2 + tol);
          break;
        case 2:
          ASSERT_LE(std::max(std::fabs(vx), std::fabs(vz)), (h - vy) / 2 + tol);
          break;
        default:  // double cone: radius (2h - |vy|) / 2 at height vy
          ASSERT_NEAR(std::hypot(vx, vz), (2 * h - std::fabs(vy)) / 2, 1e-5f);
      }
    }
    const float reach = pattern == 3 ? 2 * h : h;
    EXPECT_LT(lowest, -0.95f * reach);
    EXPECT_GT(highest, 0.95f * reach);
    EXPECT_GE(lowest, -reach - tol);
    EXPECT_LE(highest, reach + tol);
    if (pattern == 0) {
      EXPECT_EQ(faces.size(), 6u);
    }
  }
  // A solid of size 0 (a secondary burst of FireMultiBurst = FireSparks) stays a point.
  for (int16_t pattern = 0; pattern < 4; ++pattern) {
    float vx = 1, vy = 1, vz = 1;
    PatternVelocity(s, vx, vy, vz, pattern, 0.0f);
    EXPECT_EQ(std::make_tuple(vx, vy, vz), std::make_tuple(0.0f, 0.0f, 0.0f)) << "solid " << pattern;
  }
}

// The last three knots repeat the first three. With 4 knots the closed curve runs
// over two distinct points only, so every spark lies on one straight segment.
TEST_F(FireworksBurstsTest, SplineKnotsCloseTheCurve) {
  for (const int16_t knots : {4, 8}) {
    SCOPED_TRACE(::testing::Message() << knots << " knots");
    FireworksRun run(Settings([&](FireworksSettings& f) { f.FireSplineKnot = knots, f.FireSpeed = 1; }), canvas_);
    BuildSplineKnots(run, 0.5f, -3.0f, 5.0f);
    ASSERT_EQ(run.knotX.size(), static_cast<size_t>(knots) + 1);
    for (int n = 0; n < 3; ++n) {
      EXPECT_EQ(run.knotX[knots - 2 + n], run.knotX[n]);
      EXPECT_EQ(run.knotY[knots - 2 + n], run.knotY[n]);
      EXPECT_EQ(run.knotZ[knots - 2 + n], run.knotZ[n]);
    }
    for (size_t n = 0; n < run.knotX.size(); ++n) {  // within 2 of the centre
      EXPECT_LE(std::fabs(run.knotX[n] - 0.5f), 2.0f);
      EXPECT_LE(std::fabs(run.knotY[n] + 3.0f), 2.0f);
      EXPECT_LE(std::fabs(run.knotZ[n] - 5.0f), 2.0f);
    }
    // Velocity = (point - origin) * FireSpeed * size; with FireSpeed 1, size 1: the point.
    const float ax = run.knotX[0], ay = run.knotY[0], az = run.knotZ[0];
    const float dx = run.knotX[1] - ax, dy = run.knotY[1] - ay, dz = run.knotZ[1] - az;
    float worst = 0;
    for (int n = 0; n < 500; ++n) {
      float px = 0, py = 0, pz = 0;
      SplineVelocity(run, px, py, pz, 0, 0, 0, 1.0f, false);
      // Distance of the point from the line through knots 0 and 1.
      const float ux = px - ax, uy = py - ay, uz = pz - az;
      const float cx = uy * dz - uz * dy, cy = uz * dx - ux * dz, cz = ux * dy - uy * dx;
      worst = std::max(worst, std::sqrt(cx * cx + cy * cy + cz * cz) / std::sqrt(dx * dx + dy * dy + dz * dz));
    }
    if (knots == 4) EXPECT_LT(worst, 1e-5f);
    else EXPECT_GT(worst, 0.1f);
  }
}

// Ring bursts: every spark's velocity in the plane of its ring when the band is 0
// degrees wide; a wide band leaves the plane. Afterwards the shell is a standard burst.
TEST_F(FireworksBurstsTest, ZeroDegreeRingsAreFlat) {
  for (const int16_t degrees : {0, 90}) {
    FireworksRun run(Settings([&](FireworksSettings& f) {
                       StandardOnly(f);
                       f.FireRingPct = 100, f.FireRingEmb = 1, f.FireRingDeg = degrees;
                       f.FireSplinePct = 0, f.FirePatternPct = 0, f.FireSparks = 500;
                     }),
                     canvas_);
    StartShell(run, 0);
    const FireShell& sh = run.shells[0];
    EXPECT_EQ(sh.Kind, kStandard);
    EXPECT_EQ(sh.SparkCount, 500);
    // The ring's axis: +z turned like every spark.
    float nx = 0, ny = 0, nz = 0;
    RotateVector(0, 0, 1, run.ringA[0], run.ringB[0], nx, ny, nz);
    float worst = 0;
    for (int j = 0; j < 500; ++j) {
      const FireSpark& p = run.sparks[static_cast<size_t>(j)];
      ASSERT_TRUE(p.Alive);
      const float speed = std::sqrt(p.VX * p.VX + p.VY * p.VY + p.VZ * p.VZ);
      worst = std::max(worst, std::fabs(p.VX * nx + p.VY * ny + p.VZ * nz) / speed);
    }
    if (degrees == 0) EXPECT_LT(worst, 1e-5f);
    else EXPECT_GT(worst, 0.5f);
  }
}

// FireMultiBurst = FireSparks: the second burst has size 0, so each spark carries only
// its sub-shell's velocity (with momentum) or none at all.
TEST_F(FireworksBurstsTest, SubShellsOfSizeZeroKeepOnlyTheirMomentum) {
  for (const bool momentum : {true, false}) {
    SCOPED_TRACE(momentum ? "momentum kept" : "momentum off");
    const FireworksSettings s = Settings([&](FireworksSettings& f) {
      StandardOnly(f);
      f.FireMultiPct = 100, f.FireMultiBurst = 60, f.FireSparks = 60, f.FireWorks = 1, f.FireMultiAge = 10;
      f.FireMultiMoment = momentum;
    });
    bool checked = false;
    RunFrames(s, 15, [&](const FireworksRun& run) {
      const FireShell& sh = run.shells[0];
      if (checked || sh.Kind != kStandard || sh.Age != 0) return;
      checked = true;
      EXPECT_EQ(run.frame, 10);
      std::map<std::tuple<float, float, float>, std::tuple<float, float, float>> byCentre;
      for (int j = 0; j < 60; ++j) {
        const FireSpark& p = run.sparks[static_cast<size_t>(j)];
        const auto v = std::make_tuple(p.VX, p.VY, p.VZ);
        if (!momentum) {
          EXPECT_EQ(v, std::make_tuple(0.0f, 0.0f, 0.0f));
        }
        const auto [it, fresh] = byCentre.emplace(std::make_tuple(p.X, p.Y, p.Z), v);
        EXPECT_EQ(it->second, v);  // sparks from one centre move as one
      }
      if (momentum) {
        EXPECT_GT(byCentre.size(), 1u);
      }
    });
    EXPECT_TRUE(checked);
  }
}

}  // namespace
}  // namespace pyxora::testing
