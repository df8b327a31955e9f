// Trails, the two ways of erasing them, the dissolve and regeneration of the field.
#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <vector>

#include "gravity_fixture.h"

namespace pyxora::testing {
namespace {

class GravityLoopTest : public GravityTest {};

TEST_F(GravityLoopTest, RingAndEraserStarsLeaveTheSamePicture) {
  struct Case {
    int16_t pixels, attractors;
    int32_t trail;
    bool stereo;
    int frames;
  };
  const Case cases[] = {
      {3000, 2, 10, false, 40},
      {3000, 2, 10, true, 40},
      {500, 2, 1, false, 30},
      {2000, 9, 7, true, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.pixels << " stars, trail " << c.trail << (c.stereo ? ", stereo" : ""));
    const GravitySettings run = Run([&](GravitySettings& s) {
      s.Pixels = c.pixels, s.Attractors = c.attractors, s.TrailLength = c.trail, s.StereoSep = 100;
    });
    RunFrames(run, c.stereo, c.frames, {TrailStrategy::Ring, {}});
    const auto ring = Pixels();
    RunFrames(run, c.stereo, c.frames, {TrailStrategy::Eraser, {}});
    EXPECT_GT(canvas_.CountLitPixels(), 100u);
    EXPECT_TRUE(ring == Pixels());
  }
}

// A field starts from its draws, in order: each emitter, then each attractor, at
// (1.5 Rnd - 0.75, 1.5 Rnd - 0.75, focal length + 1.5 Rnd); every attractor of mass Gravity.
TEST_F(GravityLoopTest, EmittersAndAttractorsStartWhereTheirDrawsPutThem) {
  SetUpViewport(gViewport, kWidth, kHeight, 2);
  ReseedRandom();
  const std::vector<float> u = UpcomingRnd(12);
  auto place = [&](size_t n) {
    return std::vector<float>{1.5f * u[n] - 0.75f, 1.5f * u[n + 1] - 0.75f, 2 + 1.5f * u[n + 2]};
  };
  const GravitySettings run = Run([](GravitySettings& s) { s.Emitters = 2, s.Attractors = 2; });
  int frames = 0;
  RunFrames(run, false, 1, {TrailStrategy::Auto, [&](const StarField& f) {
                              ++frames;
                              for (size_t n = 0; n < 2; ++n) {
                                EXPECT_EQ((std::vector<float>{f.emitterX[n], f.emitterY[n], f.emitterZ[n]}), place(3 * n));
                                EXPECT_EQ((std::vector<float>{f.attractorX[n], f.attractorY[n], f.attractorZ[n]}),
                                          place(6 + 3 * n));
                                EXPECT_EQ(f.attractorMass[n], run.Gravity);
                              }
                            }});
  EXPECT_EQ(frames, 1);
}

TEST_F(GravityLoopTest, TheRingServesUpTo32000Slots) {
  const struct {
    int16_t pixels;
    int32_t trail;
    bool ring;
  } cases[] = {{3000, 10, true}, {8000, 4, true}, {9999, 4, false}, {6401, 5, false}, {9999, 3, true}};
  for (const auto& c : cases) {
    bool usedRing = !c.ring;
    RunFrames(Run([&](GravitySettings& s) { s.Pixels = c.pixels, s.TrailLength = c.trail; }), false, 1,
              {TrailStrategy::Auto, [&](const StarField& f) { usedRing = f.ring; }});
    EXPECT_EQ(usedRing, c.ring) << c.pixels << " x " << c.trail;
  }
}

// What a person should see, replayed from the stars' positions: star by star, the pixel
// of TrailLength frames ago goes black, then the new one lights.
TEST_F(GravityLoopTest, TrailsKeepTheLatestPositionsOfEachStar) {
  const struct {
    int32_t trail;
    TrailStrategy strategy;
  } cases[] = {{1, TrailStrategy::Ring}, {1, TrailStrategy::Eraser}, {4, TrailStrategy::Ring},
               {4, TrailStrategy::Eraser}, {12, TrailStrategy::Ring}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "trail " << c.trail << (c.strategy == TrailStrategy::Ring ? " ring" : " eraser"));
    const GravitySettings run = Run([&](GravitySettings& s) {
      s.Pixels = 400, s.TrailLength = c.trail, s.AttractorRadius = 0;
    });
    std::map<size_t, std::deque<std::optional<Pixel>>> recent;
    std::set<Pixel> expected;
    size_t live = 0;
    RunFrames(run, false, 60, {c.strategy, [&](const StarField& f) {
                                 live = 0;
                                 for (size_t k = 0; k < f.x.size(); ++k) {
                                   auto& trail = recent[k];
                                   if (trail.size() == static_cast<size_t>(c.trail)) {
                                     if (trail.front()) expected.erase(*trail.front());
                                     trail.pop_front();
                                   }
                                   trail.push_back(StarPixel(f, k));
                                   if (trail.back()) expected.insert(*trail.back()), ++live;
                                 }
                               }});
    const std::set<Pixel> lit = LitPixels();
    EXPECT_GT(lit.size(), 300u);
    EXPECT_TRUE(lit == expected) << lit.size() << " lit, " << expected.size() << " expected";
    if (c.trail == 1) {
      EXPECT_LE(lit.size(), live);  // one pixel per live star (some share a pixel)
    }
  }
}

TEST_F(GravityLoopTest, EachDissolveStepRetiresAHundredthOfTheStars) {
  const struct {
    int32_t pixels;
    int frames;
    int32_t firstStep, lastStep;
  } cases[] = {{3000, 97, 31, 24}, {10, 10, 1, 1}, {9999, 99, 101, 101}, {49, 49, 1, 1}, {100, 50, 2, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pixels);
    std::vector<uint8_t> alive(static_cast<size_t>(c.pixels), 1);
    int32_t counter = 0, active = c.pixels;
    std::vector<int32_t> steps;
    while (active > 0 && steps.size() < 1000) {
      const int32_t before = active;
      EXPECT_FALSE(DissolveStep(counter, active, alive, c.pixels, 1));  // no frame limit: never the end
      steps.push_back(before - active);
      // The highest indices go first.
      EXPECT_TRUE(std::all_of(alive.begin(), alive.begin() + active, [](uint8_t a) { return a == 1; }));
      EXPECT_TRUE(std::all_of(alive.begin() + active, alive.end(), [](uint8_t a) { return a == 0; }));
    }
    EXPECT_EQ(static_cast<int>(steps.size()), c.frames);
    EXPECT_EQ(steps.front(), c.firstStep);
    EXPECT_EQ(steps.back(), c.lastStep);
  }
}

TEST_F(GravityLoopTest, RefreshZeroWithNoFrameLimitNeverDissolves) {
  int32_t fewest = 0;
  RunFrames(Run([](GravitySettings& s) { s.Pixels = 100, s.Refresh = 0; }), false, 3000,
            {TrailStrategy::Auto, [&](const StarField& f) { fewest = host_.presented == 0 ? f.activeCount : std::min(fewest, f.activeCount); }});
  EXPECT_EQ(host_.presented, 3000);
  EXPECT_EQ(fewest, 100);
}

// White pixels of the attractor circles that lie farther than `reach` from every centre.
size_t StrayWhitePixels(const Canvas& canvas, const StarField& f, double reach) {
  size_t stray = 0;
  for (int32_t y = 0; y < canvas.Height(); ++y)
    for (int32_t x = 0; x < canvas.Width(); ++x) {
      if (canvas.GetPixel(x, y) != kWhite) continue;
      bool near = false;
      for (size_t j = 0; j < f.attractorX.size(); ++j) {
        const double cx = gViewport.ProjScale * f.attractorX[j] / f.attractorZ[j] + gViewport.CentreX;
        const double cy = gViewport.ProjScale * f.attractorY[j] / f.attractorZ[j] + gViewport.CentreY;
        near = near || std::hypot(x - cx, y - cy) <= reach;
      }
      stray += near ? 0 : 1;
    }
  return stray;
}

TEST_F(GravityLoopTest, AfterTheDissolveANewFieldStartsOnAClearedSurface) {
  std::vector<int32_t> active;
  std::vector<float> emitterX;
  size_t strayAfter = 0, strayOld = 0;
  Canvas before;
  RunFrames(Run([](GravitySettings& s) { s.Pixels = 40, s.Refresh = 20, s.AttractorRadius = 3; }), false, 65,
            {TrailStrategy::Auto, [&](const StarField& f) {
               active.push_back(f.activeCount);
               emitterX.push_back(f.emitterX[0]);
               if (active.size() == 59) before = canvas_;
               if (active.size() == 60) {
                 strayAfter = StrayWhitePixels(canvas_, f, 4.5);
                 strayOld = StrayWhitePixels(before, f, 4.5);  // had the surface not been cleared
               }
             }});
  ASSERT_EQ(active.size(), 65u);
  EXPECT_EQ(active[19], 40);  // frame 20: the refresh period is up after it
  EXPECT_EQ(active[20], 39);  // one star a frame
  EXPECT_EQ(active[58], 1);   // frame 59 retires the last star
  EXPECT_EQ(active[59], 40);  // frame 60 is the first of the new field
  EXPECT_EQ(emitterX[58], emitterX[0]);
  EXPECT_NE(emitterX[59], emitterX[0]);
  // The old circles are gone with the old field: every circle pixel belongs to a new attractor.
  EXPECT_GT(strayOld, 0u);
  EXPECT_EQ(strayAfter, 0u);
}

TEST_F(GravityLoopTest, AFrameLimitEndsTheRunOnlyAfterTheDissolve) {
  const struct {
    int16_t pixels;
    int32_t refresh;
    int frames;
  } cases[] = {{3000, 30000, 50 + 96}, {3000, 0, 50 + 96}, {10, 1000, 50 + 9}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.pixels << " stars, refresh " << c.refresh);
    gState.CycleFrameLimit = 50;
    gState.CycleFrameCount = 0;
    int32_t lastActive = -1;
    RunFrames(Run([&](GravitySettings& s) { s.Pixels = c.pixels, s.Refresh = c.refresh; }), false, 100000,
              {TrailStrategy::Auto, [&](const StarField& f) { lastActive = f.activeCount; }});
    EXPECT_EQ(host_.presented, c.frames);
    EXPECT_FALSE(gState.StopRequested);
    EXPECT_LT(lastActive, c.pixels);
  }
}

TEST_F(GravityLoopTest, APreviewStopEndsTheRunAndIsCleared) {
  host_.onEvents = [this] {
    if (host_.presented == 5) gState.PreviewStopRequested = true;
  };
  ReseedRandom();
  GravityLoop(Run([](GravitySettings&) {}), false);
  EXPECT_EQ(host_.presented, 5);
  EXPECT_FALSE(gState.PreviewStopRequested);
}

}  // namespace
}  // namespace pyxora::testing
