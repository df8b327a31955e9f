// The frame loop: staggered shells, launches, which kinds occur, the end of a jet burst,
// the near plane, and the graceful end at the host's frame limit.
#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "effects/fireworks/fireworks_bursts.h"
#include "fireworks_fixture.h"

namespace pyxora::testing {
namespace {

class FireworksLoopTest : public FireworksTest {};

// Shell i waits while i * FireSparks / 32 > StartDelay: for 1200 slots, 37.5 frames a shell.
TEST_F(FireworksLoopTest, ShellsJoinOneAfterAnother) {
  const FireworksSettings s = Settings([](FireworksSettings& f) {
    StandardOnly(f);
    f.FireWorks = 14, f.FireSparks = 1200, f.FirePersist = 0.99f;
  });
  std::vector<int> joined(14, 0);
  RunFrames(s, 490, [&](const FireworksRun& run) {
    for (size_t i = 0; i < 14; ++i)
      if (joined[i] == 0 && run.shells[i].Age > 0) joined[i] = run.frame;
  });
  EXPECT_EQ(joined[0], 1);
  EXPECT_EQ(joined[1], 39);   // 37.5 > 0..37
  EXPECT_EQ(joined[2], 76);   // 75 > 0..74
  EXPECT_EQ(joined[13], 489);  // 487.5 > 0..487
}

// Which kinds a run shows follows the percentages (ring bursts run as standard ones).
TEST_F(FireworksLoopTest, PercentagesDecideTheKinds) {
  const struct {
    const char* name;
    std::function<void(FireworksSettings&)> change;
    std::set<int16_t> allowed;
    int16_t required;
  } cases[] = {
      {"no launches", [](FireworksSettings& f) { f.FireLaunchPct = 0; },
       {kStandard, kScintillator, kMultiBurst, kJetBurst, kSparkler, kTwister, kDecayStars, kSparkling}, kMultiBurst},
      {"seven at 0", [](FireworksSettings& f) { StandardOnly(f); }, {kStandard}, kStandard},
      {"scintillators", [](FireworksSettings& f) { StandardOnly(f), f.FireScintPct = 100, f.FireMultiPct = 50; },
       {kScintillator}, kScintillator},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const FireworksSettings s = Settings([&](FireworksSettings& f) {
      f.FireWorks = 8, f.FireSparks = 320;
      c.change(f);
    });
    std::set<int16_t> seen;
    RunFrames(s, 250, [&](const FireworksRun& run) {
      for (const FireShell& sh : run.shells) seen.insert(sh.Kind);
    });
    for (const int16_t kind : seen) EXPECT_TRUE(c.allowed.count(kind)) << "kind " << kind;
    EXPECT_TRUE(seen.count(c.required));
  }
}

// Each percentage is the share of shells: of fresh shells that rise, of bursts of a kind.
TEST_F(FireworksLoopTest, PercentagesAreSharesOfTheShells) {
  const struct {
    int16_t FireworksSettings::*percent;
    int16_t kind;
  } cases[] = {{&FireworksSettings::FireLaunchPct, kRising}, {&FireworksSettings::FireScintPct, kScintillator}};
  for (const auto& c : cases) {
    FireworksRun run(Settings([&](FireworksSettings& f) { StandardOnly(f), f.*c.percent = 30, f.FireSparks = 20; }),
                     canvas_);
    int hits = 0;
    for (int n = 0; n < 1000; ++n) {
      run.shells[0].Kind = kStandard;
      StartShell(run, 0);
      hits += run.shells[0].Kind == c.kind;
    }
    EXPECT_NEAR(hits, 300, 60) << "kind " << c.kind;
  }
}

// A rising shell climbs from the bottom edge to its burst point in FireLaunchSteps
// frames, its trail fading from white by TrailFade; a trail spark that leaves the
// screen on the way is sent out from the shell again.
TEST_F(FireworksLoopTest, ALaunchRisesFromTheGroundWithAFadingTrail) {
  FireworksRun run(Settings([](FireworksSettings& f) {
                     f.FireLaunchPct = 100, f.FireLaunchSteps = 20, f.FireLaunchPixel = 50;
                     f.FireLaunchPersist = 0.92f;  // fade nearest((1 - 0.92) * 50) = 4
                   }),
                   canvas_);
  StartShell(run, 0);
  FireShell& sh = run.shells[0];
  ASSERT_EQ(sh.Kind, kRising);
  EXPECT_EQ(sh.SparkCount, 50);
  EXPECT_EQ(run.trailFade, 4);
  const float ground = run.cy / run.k;
  EXPECT_FLOAT_EQ(sh.Y, ground);
  EXPECT_FLOAT_EQ(sh.Z, 1.0f);
  const float targetY = sh.Y + 20 * sh.StepY, targetZ = sh.Z + 20 * sh.StepZ;
  EXPECT_LT(sh.StepY, 0);  // upward: y grows downward
  EXPECT_GE(targetY, -0.9f * ground - 1e-5f);
  EXPECT_LE(targetY, 0.3f * ground + 1e-5f);
  EXPECT_GE(targetZ, 0.9f - 1e-5f);
  EXPECT_LE(targetZ, 1.2f + 1e-5f);

  FireSpark& far = run.sparks[7];
  far.X = 50;  // far off screen
  sh.Age = 1;
  UpdateShell(run, 0);
  EXPECT_TRUE(far.Alive);
  EXPECT_EQ(sh.SparkCount, 50);
  EXPECT_EQ(far.X, sh.X);  // re-emitted at the shell
  for (int j = 0; j < 50; ++j)
    if (run.sparks[static_cast<size_t>(j)].Alive) {
      EXPECT_EQ(run.sparks[static_cast<size_t>(j)].Colour, 251u);
    }

  for (int16_t age = 2; age <= 20; ++age) sh.Age = age, UpdateShell(run, 0);
  EXPECT_NEAR(sh.Y, targetY, 1e-4f);
  EXPECT_NEAR(sh.Z, targetZ, 1e-4f);

  // The fade: nearest((1 - FireLaunchPersist) * 50), halves to even, at least 1.
  for (const auto& [persist, fade] : {std::pair{0.99f, 1}, std::pair{0.25f, 38}, std::pair{0.9f, 5}})
    EXPECT_EQ(FireworksRun(Settings([&](FireworksSettings& f) { f.FireLaunchPersist = persist; }), canvas_).trailFade,
              fade)
        << persist;
}

// Whatever the kind, a shell that ends has erased everything it drew. With the frame
// limit reached at once every shell retires at its end and the loop returns.
TEST_F(FireworksLoopTest, EveryKindLeavesTheSkyBlackWhenItEnds) {
  const struct {
    const char* name;
    int16_t FireworksSettings::*percent;
  } cases[] = {
      {"launch", &FireworksSettings::FireLaunchPct},  {"standard", nullptr},
      {"scintillator", &FireworksSettings::FireScintPct}, {"multi-burst", &FireworksSettings::FireMultiPct},
      {"jet", &FireworksSettings::FireBurstPct},       {"sparkler", &FireworksSettings::FireSparkPct},
      {"ring", &FireworksSettings::FireRingPct},       {"twister", &FireworksSettings::FireTwistPct},
      {"decaying stars", &FireworksSettings::FireDecayPct},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const FireworksSettings s = Settings([&](FireworksSettings& f) {
      StandardOnly(f);
      if (c.percent) f.*c.percent = 100;
      f.FireWorks = 3, f.FireSparks = 400, f.FirePersist = 0.9f, f.FireScintStyle = 3, f.FireSparkAge = 10;
    });
    gState.CycleFrameLimit = 1;
    size_t mostLit = 0;
    int frames = 0;
    RunFrames(s, 3000, [&](const FireworksRun& run) {
      mostLit = std::max(mostLit, canvas_.CountLitPixels());
      frames = run.frame;
    });
    EXPECT_LT(frames, 3000);  // returned by itself
    EXPECT_GT(mostLit, 20u);
    EXPECT_EQ(canvas_.CountLitPixels(), 0u);
  }
}

// A twister's emitter orbits its head FireTwistExt out, reached over the first tenth
// of a turn; the emitter angle moves on by FireTwistDeg a frame.
TEST_F(FireworksLoopTest, TwisterTrailsLeaveFromTheOrbitingEmitter) {
  for (const float angle : {1.0f, 0.31415927f}) {
    FireworksRun run(Settings([](FireworksSettings& f) {
                       StandardOnly(f);
                       f.FireTwistPct = 100, f.FireTwistCnt = 1, f.FireSparks = 20, f.FireTwistExt = 40;
                       f.FireTwistDeg = 10, f.FirePersist = 0.99f, f.FireBurstAge = 99;
                     }),
                     canvas_);
    StartShell(run, 0);
    FireSpark& head = run.sparks[0];
    head.TailVX = angle;
    for (int k = 1; k < 20; ++k) run.sparks[static_cast<size_t>(k)].X = 50;  // every trail spark resets
    run.shells[0].Age = 1;
    UpdateShell(run, 0);
    ASSERT_TRUE(head.Alive);
    const float reach = 40 * 0.0025f * std::min(1.0f, angle / 0.62831855f);
    for (int k = 1; k < 20; ++k) {
      const FireSpark& p = run.sparks[static_cast<size_t>(k)];
      EXPECT_NEAR(std::hypot(p.X - head.X, p.Y - head.Y, p.Z - head.Z), reach, 1e-5f) << "angle " << angle;
    }
    EXPECT_FLOAT_EQ(head.TailVX, angle + 10 * 0.017453292f);
  }
}

// A scintillator dies when Rnd * 1.5 > FirePersist + 0.5: half of them a frame at 0.25.
TEST_F(FireworksLoopTest, ScintillatorsDieAtTheirRate) {
  for (const auto& [persist, survive] : {std::pair{0.25f, 0.5f}, std::pair{0.7f, 0.8f}}) {
    FireworksRun run(Settings([&](FireworksSettings& f) {
                       StandardOnly(f);
                       f.FireScintPct = 100, f.FireScintStyle = 1, f.FireSparks = 9999, f.FirePersist = persist;
                     }),
                     canvas_);
    StartShell(run, 0);
    const int before = run.shells[0].SparkCount;  // 1999 heads of 5
    for (int j = 0; j < 9995; j += 5) {
      FireSpark& p = run.sparks[static_cast<size_t>(j)];
      p.X = p.Y = 0, p.Z = 1, p.VX = p.VY = p.VZ = 0;  // all in view
    }
    run.shells[0].Age = 1;
    UpdateShell(run, 0);
    EXPECT_NEAR(static_cast<float>(run.shells[0].SparkCount) / static_cast<float>(before), survive, 0.04f) << persist;
  }
}

// A jet burst ends when its trails are gone: with heads left on screen the shell bursts
// again from them, with none it starts afresh, and past the frame limit it retires.
TEST_F(FireworksLoopTest, AJetBurstEndsInASecondBurstOnlyFromHeadsInView) {
  const struct {
    bool headsInView, limit;
    int16_t kind;
  } cases[] = {{true, false, kStandard}, {false, false, kJetBurst}, {true, true, kRetired}, {false, true, kRetired}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.headsInView ? "heads in view" : "heads gone") << (c.limit ? ", limit" : ""));
    FireworksRun run(Settings([](FireworksSettings& f) {
                       StandardOnly(f);
                       f.FireBurstPct = 100, f.FireBurstCount = 4, f.FireSparks = 40, f.FireBurstShell = true;
                     }),
                     canvas_);
    run.active = 1;
    StartShell(run, 0);
    FireShell& sh = run.shells[0];
    ASSERT_EQ(sh.Kind, kJetBurst);
    ASSERT_EQ(sh.Stride, 10);
    ASSERT_EQ(sh.SparkCount, 36);
    for (int j = 0; j < 40; ++j) {
      FireSpark& p = run.sparks[static_cast<size_t>(j)];
      if (j % 10 == 0) {
        p.Alive = false;  // heads dead, where they are
        if (!c.headsInView) p.X = 50;
      } else {
        p.X = 50;  // every trail spark leaves the screen this frame
      }
    }
    run.limitReached = c.limit;
    sh.Age = 30;
    UpdateShell(run, 0);
    EXPECT_EQ(sh.Kind, c.kind);
    if (c.kind != kRetired) {
      EXPECT_EQ(sh.Age, 0);
    }
    EXPECT_EQ(run.active, c.kind == kRetired ? 0 : 1);
  }
}

// Behind the near plane a spark still moves and its eraser runs, but it is not drawn.
TEST_F(FireworksLoopTest, SparksAtTheEyeMoveButAreNotDrawn) {
  for (const float z : {0.0001f, 0.5f}) {
    canvas_.Prepare();
    FireworksRun run(Settings([](FireworksSettings& f) {
                       StandardOnly(f);
                       f.FireSparks = 50, f.FirePersist = 0.99f, f.FireGravity = 0;
                     }),
                     canvas_);
    StartShell(run, 0);
    for (int j = 0; j < 50; ++j) {
      FireSpark& p = run.sparks[static_cast<size_t>(j)];
      p.X = p.Y = 0, p.Z = z, p.VX = p.VY = p.VZ = 0;  // straight ahead: at the centre of the screen
    }
    run.shells[0].Age = 1;
    UpdateShell(run, 0);
    int alive = 0;
    for (int j = 0; j < 50; ++j) alive += run.sparks[static_cast<size_t>(j)].Alive;
    EXPECT_GT(alive, 40);
    EXPECT_EQ(canvas_.GetPixel(kWidth / 2, kHeight / 2) != 0, z > 0.0001f) << "z " << z;
  }
}

// Once the host's frame limit is reached no shell starts again: the bursts in the air
// finish, every trail is erased, and the loop returns by itself.
TEST_F(FireworksLoopTest, TheFrameLimitLetsTheBurstsFinish) {
  const FireworksSettings s = Settings([](FireworksSettings& f) {
    StandardOnly(f);
    f.FireWorks = 4, f.FireSparks = 200, f.FirePersist = 0.95f, f.FireLength = 8;
  });
  gState.CycleFrameLimit = 60;
  std::vector<int16_t> lastAge(4, 0);
  int lastFrame = 0;
  int restartsAfterLimit = 0;
  size_t litAtLimit = 0;
  RunFrames(s, 100000, [&](const FireworksRun& run) {
    for (size_t i = 0; i < 4; ++i) {
      const FireShell& sh = run.shells[i];
      if (run.frame > 60 && sh.Kind != kRetired && sh.Age != lastAge[i] + 1) ++restartsAfterLimit;
      lastAge[i] = sh.Age;
    }
    if (run.frame == 60) litAtLimit = canvas_.CountLitPixels();
    lastFrame = run.frame;
  });
  EXPECT_FALSE(gState.StopRequested);  // it ended by itself
  EXPECT_GT(litAtLimit, 0u);
  EXPECT_GT(lastFrame, 60);
  EXPECT_LT(lastFrame, 400);
  EXPECT_EQ(restartsAfterLimit, 0);
  EXPECT_EQ(canvas_.CountLitPixels(), 0u);  // nothing new, and every trail erased
}

}  // namespace
}  // namespace pyxora::testing
