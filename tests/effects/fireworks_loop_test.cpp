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

  for (int16_t age = 2; age < 20; ++age) sh.Age = age, UpdateShell(run, 0);
  ASSERT_EQ(sh.Kind, kRising);
  // Arrived at age FireLaunchSteps: a trail spark that resets now dies, and with the last
  // one gone the shell bursts where it stands.
  for (int j = 0; j < 50; ++j) run.sparks[static_cast<size_t>(j)].X = 50;
  sh.Age = 20, UpdateShell(run, 0);
  EXPECT_NE(sh.Kind, kRising);
  EXPECT_EQ(sh.Age, 0);
  EXPECT_NEAR(sh.Y, targetY, 1e-4f);
  EXPECT_NEAR(sh.Z, targetZ, 1e-4f);
}

// Worked out once a run: the jets' drag 1 - (1 - D) 0.2, the fade of a grey trail
// nearest((1 - FireLaunchPersist) 50) within 1..50, and the decaying stars' size
// FireDecayMSize x focal length / FireDecayMLife x 0.01.
TEST_F(FireworksLoopTest, EachRunWorksOutItsDragFadeAndStarSize) {
  const struct {
    float damping, launchPersist, decaySize;
    int16_t decayLife;
    float focal, jetDamping;
    int16_t fade;
    float starSize;
  } cases[] = {
      {0.15f, 0.92f, 300, 80, 1, 0.985f, 4, 0.0375f},  // the defaults: D 0.925
      {1, 0.99f, 800, 99, 2, 0.9f, 1, 0.16161616f},   // D 0.5; a fade of 0.5 rounds to 0, taken as 1
      {0, 0.25f, 1, 5, 1, 1, 38, 0.002f},            // no drag; 37.5 rounds to 38
      {0.5f, 0.9f, 9999, 999, 0.5f, 0.95f, 5, 0.05004505f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "damping " << c.damping << ", persist " << c.launchPersist);
    SetUpViewport(gViewport, kWidth, kHeight, c.focal);
    const FireworksRun run(Settings([&](FireworksSettings& f) {
                             f.FireDamping = c.damping, f.FireLaunchPersist = c.launchPersist;
                             f.FireDecayMSize = c.decaySize, f.FireDecayMLife = c.decayLife;
                           }),
                           canvas_);
    EXPECT_FLOAT_EQ(run.jetDamping, c.jetDamping);
    EXPECT_EQ(run.trailFade, c.fade);
    EXPECT_FLOAT_EQ(run.decayMSize, c.starSize);
  }
}

// Greys c(n) = nearest(a cos(pi/2 n / last) + b): sub-shells from 255 to 88 over
// FireMultiAge frames, scintillators from 255 to 0 over 99, decaying stars from 255 to 0
// over FireDecayMLife (at most 99).
TEST_F(FireworksLoopTest, ColourRampsFadeGreyOverTheirFrames) {
  using Ramp = std::array<uint32_t, 100> FireworksRun::*;
  const struct {
    Ramp ramp;
    int16_t multiAge, decayLife;
    size_t n;
    uint32_t grey;
  } cases[] = {
      {&FireworksRun::multiRamp, 20, 80, 0, 255},  {&FireworksRun::multiRamp, 20, 80, 5, 242},
      {&FireworksRun::multiRamp, 20, 80, 10, 206}, {&FireworksRun::multiRamp, 20, 80, 20, 88},
      {&FireworksRun::multiRamp, 25, 80, 7, 239},  {&FireworksRun::scintRamp, 20, 80, 0, 255},
      {&FireworksRun::scintRamp, 20, 80, 33, 221}, {&FireworksRun::scintRamp, 20, 80, 50, 179},
      {&FireworksRun::scintRamp, 20, 80, 99, 0},   {&FireworksRun::decayRamp, 20, 80, 40, 180},
      {&FireworksRun::decayRamp, 20, 80, 80, 0},   {&FireworksRun::decayRamp, 20, 5, 1, 243},
      {&FireworksRun::decayRamp, 20, 5, 3, 150},   {&FireworksRun::decayRamp, 20, 5, 5, 0},
      {&FireworksRun::decayRamp, 20, 150, 50, 179}, {&FireworksRun::decayRamp, 20, 150, 99, 0},
  };
  for (const auto& c : cases) {
    const FireworksRun run(
        Settings([&](FireworksSettings& f) { f.FireMultiAge = c.multiAge, f.FireDecayMLife = c.decayLife; }), canvas_);
    EXPECT_EQ((run.*c.ramp)[c.n], c.grey * 0x010101u) << "ages " << c.multiAge << ", " << c.decayLife << ": " << c.n;
  }
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

// Every frame a scintillator dies when Rnd 1.5 > FirePersist + 0.5 and a sparkling head
// when Rnd 2 > FirePersist + 1. A survivor twinkles: it is drawn, and falls, only when
// Age < Rnd (Age + FirePersist k), k 40 and 100; a drawn scintillator then takes the
// grey of its age.
TEST_F(FireworksLoopTest, ScintillatorsAndSparklesDieAndTwinkleAtTheirRates) {
  const struct {
    bool sparkling;
    float persist;
    int16_t age;
    float survive, drawn;
  } cases[] = {
      {false, 0.25f, 1, 0.5f, 10.0f / 11},  // 1 < Rnd (1 + 10)
      {false, 0.7f, 28, 0.8f, 0.5f},
      {false, 0.7f, 120, 0.8f, 28.0f / 148},  // past 99 frames: the ramp's last grey
      {true, 0.25f, 40, 0.625f, 25.0f / 65},
      {true, 0.99f, 99, 0.995f, 0.5f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.sparkling ? "sparkling" : "scintillator") << ", persist " << c.persist);
    FireworksRun run(Settings([&](FireworksSettings& f) {
                       StandardOnly(f);
                       (c.sparkling ? f.FireSparkPct : f.FireScintPct) = 100;
                       f.FireWorks = 1, f.FireSparks = 9999, f.FirePersist = c.persist;
                       f.FireScintStyle = 1, f.FireSparkPix = 1;  // a head every 5 slots, every slot
                     }),
                     canvas_);
    StartShell(run, 0);
    FireShell& sh = run.shells[0];
    if (c.sparkling) sh.Kind = kSparkling;
    std::vector<uint32_t> before;
    for (int j = 0; j < 9999; j += sh.Stride) {
      FireSpark& p = run.sparks[static_cast<size_t>(j)];
      p.X = p.Y = 0, p.Z = 1, p.VX = p.VY = p.VZ = 0;  // all in view, at rest
      before.push_back(p.Colour);
    }
    sh.Age = c.age;
    UpdateShell(run, 0);
    int heads = 0, alive = 0, drawn = 0;
    for (int j = 0; j < 9999; j += sh.Stride, ++heads) {
      const FireSpark& p = run.sparks[static_cast<size_t>(j)];
      if (!p.Alive) continue;
      ++alive;
      const bool fell = p.VY != 0;
      drawn += fell;
      const uint32_t grey = fell && !c.sparkling ? run.scintRamp[std::min<size_t>(c.age, 99)] : before[heads];
      ASSERT_EQ(p.Colour, grey) << j;
    }
    EXPECT_NEAR(static_cast<float>(alive) / static_cast<float>(heads), c.survive, 0.04f);
    EXPECT_NEAR(static_cast<float>(drawn) / static_cast<float>(alive), c.drawn, 0.03f);
  }
}

// A sparkler starts to sparkle at age FireSparkAge, its heads erased; with none left it ends.
TEST_F(FireworksLoopTest, ASparklerSparklesFromItsSparkleAge) {
  const struct {
    int16_t age;
    bool headsLeft;
    int16_t kind, ageAfter;
  } cases[] = {{9, true, kSparkler, 9}, {10, true, kSparkling, 10}, {10, false, kSparkler, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "age " << c.age << (c.headsLeft ? "" : ", no heads"));
    canvas_.Prepare();
    FireworksRun run(Settings([](FireworksSettings& f) {
                       StandardOnly(f);
                       f.FireSparkPct = 100, f.FireSparkAge = 10, f.FireSparks = 100;
                     }),
                     canvas_);
    StartShell(run, 0);
    FireShell& sh = run.shells[0];
    for (int j = 0; j < 100; j += sh.Stride) run.sparks[static_cast<size_t>(j)].X = c.headsLeft ? 0 : 50;
    sh.Age = c.age;
    UpdateShell(run, 0);
    EXPECT_EQ(sh.Kind, c.kind);
    EXPECT_EQ(sh.Age, c.ageAfter);  // 0: a fresh shell
    EXPECT_EQ(canvas_.CountLitPixels() == 0, c.kind == kSparkling || !c.headsLeft);
  }
}

// Jet and twister heads die only from age FireBurstAge on, then with chance
// 1 - FirePersist a frame. A surviving jet head is slowed by JetDamping, a twister's by the
// common drag.
TEST_F(FireworksLoopTest, StreamerHeadsDieAtRandomFromTheirBurstAge) {
  const struct {
    bool jet;
    int16_t age;
    float died;
  } cases[] = {{true, 29, 0}, {true, 30, 0.75f}, {false, 29, 0}, {false, 30, 0.75f}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.jet ? "jet" : "twister") << ", age " << c.age);
    FireworksRun run(Settings([&](FireworksSettings& f) {
                       StandardOnly(f);
                       (c.jet ? f.FireBurstPct : f.FireTwistPct) = 100;
                       f.FireWorks = 1, f.FireSparks = 9999, f.FireBurstCount = f.FireTwistCnt = 99;
                       f.FireBurstAge = 30, f.FirePersist = 0.25f, f.FireDamping = 0.5f;
                     }),
                     canvas_);
    StartShell(run, 0);
    FireShell& sh = run.shells[0];
    ASSERT_EQ(sh.Stride, 101);
    for (int j = 0; j < 9999; j += 101) {
      FireSpark& head = run.sparks[static_cast<size_t>(j)];
      head.X = head.Y = 0, head.Z = 1, head.VX = 0.0001f, head.VY = head.VZ = 0;
    }
    sh.Age = c.age;
    UpdateShell(run, 0);
    int died = 0;
    for (int j = 0; j < 9999; j += 101) {
      const FireSpark& head = run.sparks[static_cast<size_t>(j)];
      if (!head.Alive) ++died;
      else ASSERT_EQ(head.VX, 0.0001f * (c.jet ? 0.95f : 0.75f)) << j;  // D 0.75, JetDamping 0.95
    }
    EXPECT_NEAR(died / 99.0f, c.died, 0.1f);
  }
}

// A jet burst ends when its trails are gone: with heads left inside the screen (edges
// excluded) the shell bursts again from them, with none it starts afresh, and past the
// frame limit it retires.
TEST_F(FireworksLoopTest, AJetBurstEndsInASecondBurstOnlyFromHeadsInView) {
  constexpr float kBottom = 120.0f / 140, kLeft = -160.0f / 140;  // the last row and the first column, at depth 1
  const struct {
    float headX, headY;
    bool limit;
    int16_t kind;
  } cases[] = {{0, 0, false, kStandard},     {50, 0, false, kJetBurst}, {0, kBottom, false, kJetBurst},
               {kLeft, 0, false, kJetBurst}, {0, 0, true, kRetired},    {50, 0, true, kRetired}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "heads at " << c.headX << "," << c.headY << (c.limit ? ", limit" : ""));
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
        p.Alive = false, p.X = c.headX, p.Y = c.headY, p.Z = 1;  // heads dead, there
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
