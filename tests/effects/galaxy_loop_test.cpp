// Galaxy dynamics: trails, renewal, the approach and rebuilding, and what a theme shows.
#include <algorithm>
#include <map>

#include "effects/galaxy/galaxy_build.h"
#include "effects/galaxy/galaxy_draw.h"
#include "galaxy_fixture.h"

namespace pyxora::testing {
namespace {

using GalaxyLoopTest = GalaxyTest;

// What the stars' state says is on screen: the trail ring, and every flash and nova drawn
// again from the arguments kept for its erase.
std::set<Pixel> Shown(const GalaxyWorld& world, const GalaxySettings& run, int width, int height) {
  Canvas scratch(width, height);
  GalaxyCamera cam = CurrentGalaxyCamera(scratch);
  cam.dc = &scratch;
  const GalaxyStars& s = world.stars;
  for (size_t i = 0; i < s.ringX.size(); ++i) scratch.SetPixel(s.ringX[i], s.ringY[i], kWhite);
  for (size_t k = 0; k < s.r.size(); ++k) {
    if (!(s.spriteDepth[k] > kGalaxyNearPlane)) continue;
    if (s.newT[k] > 0) DrawNewStar(cam, run, s.flashX[k], s.flashY[k], s.spriteDepth[k], s.newT[k], kWhite);
    else if (s.novaT[k] > 0) DrawNova(cam, run, s.novaX[k], s.novaY[k], s.spriteDepth[k], s.novaT[k], kWhite);
  }
  std::set<Pixel> shown;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (scratch.GetPixel(x, y)) shown.insert({x, y});
  return shown;
}

// A nova of T frames left turns T - 1 more frames as a nova and on the T-th is reborn as
// a new star's flash.
TEST_F(GalaxyLoopTest, ANovaEndsWhenItsFramesRunOutAndTheStarFlashesAnew) {
  const GalaxySettings run = Run(StarsOnly);
  GalaxyWorld world(run);
  BuildGalaxy(world, run);
  const GalaxyCamera cam = CurrentGalaxyCamera(canvas_);
  world.stars.novaT[0] = 3;
  for (int frame = 1; frame <= 3; ++frame) {
    GalaxyFrame(world, run, cam);
    const bool over = frame == 3;
    EXPECT_EQ(world.stars.novaT[0], 3 - frame) << "frame " << frame;
    EXPECT_EQ(world.stars.newT[0], over ? run.NewFrames : 0) << "frame " << frame;
  }
}

// A nova's colour walks the star palette as it grows: entry nearest((NovaFrames - novaT)
// x 80 / NovaFrames) for the frames left after the frame; one past the end is the last.
TEST_F(GalaxyLoopTest, ANovaWalksTheStarPaletteAsItGrows) {
  const struct {
    int16_t frames, novaT;
    size_t entry;
  } cases[] = {{30, 30, 3}, {30, 16, 40}, {30, 2, 77}, {32, 32, 2}, {32, 30, 8}, {200, 2, 79}};  // 2.5 to 2, 7.5 to 8
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.novaT << " of " << c.frames << " frames left");
    const GalaxySettings run = Run([&](auto& s) { StarsOnly(s), s.Stars = 10, s.NovaFrames = c.frames; });
    GalaxyWorld world(run);
    BuildGalaxy(world, run);
    const GalaxyCamera cam = CurrentGalaxyCamera(canvas_);
    canvas_.Prepare();
    world.stars.novaT[9] = c.novaT;  // the last star drawn: nothing covers its centre
    GalaxyFrame(world, run, cam);
    const GalaxyStars& s = world.stars;
    ASSERT_EQ(s.novaT[9], c.novaT - 1);
    const float f = cam.scale / s.spriteDepth[9];
    EXPECT_EQ(canvas_.GetPixel(static_cast<int32_t>(std::lrint(s.novaX[9] * f + cam.centreX)),
                               static_cast<int32_t>(std::lrint(s.novaY[9] * f + cam.centreY))),
              StarPalette[c.entry]);
  }
}

// A frame draws the galaxy with the tilt it starts with, then tilts it on by AngleTInc.
TEST_F(GalaxyLoopTest, EachFrameDrawsWithItsTiltThenTiltsOn) {
  const GalaxySettings run = Run([](auto& s) { StarsOnly(s), s.Stars = 10, s.AngleTilt = 20, s.AngleTInc = 30; });
  GalaxyWorld world(run);
  BuildGalaxy(world, run);
  const GalaxyCamera cam = CurrentGalaxyCamera(canvas_);
  constexpr float kDegree = 6.2831855f / 360;
  EXPECT_FLOAT_EQ(world.tilt, -20 * kDegree);
  for (int frame = 1; frame <= 3; ++frame) {
    const float tilt = world.tilt, dist = world.dist;
    GalaxyFrame(world, run, cam);
    EXPECT_FLOAT_EQ(world.tilt, tilt + 30 * kDegree) << frame;
    const GalaxyStars& s = world.stars;
    for (size_t k = 0; k < 10; ++k) {  // a trail of 1: slot k
      const GalaxyPoint p = GalaxyToScreen(cam, dist, s.r[k], s.theta[k], s.h[k], std::sin(tilt), std::cos(tilt));
      EXPECT_EQ(std::make_pair(s.ringX[k], s.ringY[k]), std::make_pair(p.column, p.row)) << frame << ": " << k;
    }
  }
}

// A normal star shows its last Trail positions; a flash or nova is erased the frame
// after it is drawn. Nothing else stays lit.
TEST_F(GalaxyLoopTest, OnlyTrailsAndTheCurrentSpritesStayLit) {
  struct Case {
    int16_t trail, newFreq;
    float novaFreq;
  };
  for (const Case& c : {Case{1, 0, 0}, Case{4, 0, 0}, Case{2, 800, 3000}}) {
    SCOPED_TRACE(::testing::Message() << "trail " << c.trail << " renewals " << c.newFreq);
    const GalaxySettings run = Run([&](auto& s) {
      StarsOnly(s), s.Stars = 400, s.Trail = c.trail, s.Rotation = 9999, s.NewFreq = c.newFreq, s.NovaFreq = c.novaFreq;
    });
    size_t strays = 0, lit = 0, shown = 0;
    RunFrames(run, 40, [&](const GalaxyWorld& world) {
      const std::set<Pixel> expected = Shown(world, run, kWidth, kHeight), now = LitPixels();
      for (const Pixel& p : now) strays += expected.count(p) ? 0 : 1;
      lit += now.size();
      shown += expected.size();
    });
    EXPECT_EQ(strays, 0u);
    // A few pixels are lost where one star's erase meets another star's pixel.
    EXPECT_GT(static_cast<double>(lit), 0.85 * static_cast<double>(shown));
  }
}

// Waiting Trail + 1 frames, then a flash that shrinks one step a frame; a normal star
// turns by its own speed every frame.
TEST_F(GalaxyLoopTest, ARenewedStarWaitsThenFlashesThenTurnsAgain) {
  const GalaxySettings run = Run([](auto& s) { StarsOnly(s), s.Stars = 50, s.Trail = 3, s.NewFreq = 100, s.NovaFreq = 0; });
  std::vector<std::pair<int16_t, int16_t>> life;  // (wait, newT) of the first star renewed
  std::vector<float> radius;                      // and its distance from the axis
  long tracked = -1;
  std::vector<float> turns;
  RunFrames(run, 60, [&](const GalaxyWorld& w) {
    const GalaxyStars& s = w.stars;
    if (tracked < 0) tracked = std::find(s.wait.begin(), s.wait.end(), 4) - s.wait.begin();
    if (tracked >= 50) {
      tracked = -1;
      return;
    }
    life.emplace_back(s.wait[static_cast<size_t>(tracked)], s.newT[static_cast<size_t>(tracked)]);
    radius.push_back(s.r[static_cast<size_t>(tracked)]);
  });
  ASSERT_GE(life.size(), 15u);
  const std::vector<std::pair<int16_t, int16_t>> expected = {
      {4, 0}, {3, 0}, {2, 0}, {1, 0}, {0, 10}, {0, 9}, {0, 8}, {0, 7},
      {0, 6}, {0, 5}, {0, 4}, {0, 3}, {0, 2}, {0, 1}};
  EXPECT_EQ(std::vector(life.begin(), life.begin() + 14), expected);
  EXPECT_EQ(life[14].second, 0);
  EXPECT_EQ(radius[3], radius[0]);
  EXPECT_NE(radius[4], radius[3]);  // reborn elsewhere

  const GalaxySettings still = Run([](auto& s) { StarsOnly(s), s.Stars = 10; });
  std::vector<float> theta;
  float omega = 0;
  RunFrames(still, 5, [&](const GalaxyWorld& w) { theta.push_back(w.stars.theta[3]), omega = w.stars.omega[3]; });
  for (size_t f = 1; f < theta.size(); ++f) EXPECT_NEAR(theta[f] - theta[f - 1], omega, 1e-6f);
}

TEST_F(GalaxyLoopTest, RenewalsPerFrameFollowNewFreq) {
  struct Case {
    int16_t newFreq;
    std::map<int32_t, double> shares;
  };
  const Case cases[] = {
      {0, {{0, 1.0}}},
      {100, {{1, 1.0}}},
      {125, {{1, 0.75}, {2, 0.25}}},
      {150, {{2, 1.0}}},  // 1.5 and 2.5 both round to 2
      {250, {{2, 0.5}, {4, 0.5}}},
  };
  constexpr int kDraws = 20000;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.newFreq);
    std::map<int32_t, int> counts;
    for (int i = 0; i < kDraws; ++i) ++counts[RenewalCount(c.newFreq)];
    EXPECT_EQ(counts.size(), c.shares.size());
    for (const auto& [n, share] : c.shares) EXPECT_NEAR(counts[n] / double(kDraws), share, 0.015) << n;
  }
}

TEST_F(GalaxyLoopTest, RenewedStarsWaitOutTheirTrailThenFlashOrBecomeNovae) {
  struct Case {
    int16_t newFreq;
    float novaFreq;
    int16_t maxWait, maxNew, maxNova;
  };
  const Case cases[] = {
      {0, 300, 0, 0, 0},         // never renews
      {500, 0, 4, 10, 0},        // trail 3: waits 4 frames, then a flash of 10 frames
      {500, 9999, 4, 10, 30},    // almost always a nova, then a flash
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.newFreq);
    const GalaxySettings run = Run([&](auto& s) { s.Stars = 300, s.Trail = 3, s.NewFreq = c.newFreq, s.NovaFreq = c.novaFreq; });
    int16_t maxWait = 0, maxNew = 0, maxNova = 0;
    RunFrames(run, 120, [&](const GalaxyWorld& w) {
      maxWait = std::max(maxWait, *std::max_element(w.stars.wait.begin(), w.stars.wait.end()));
      maxNew = std::max(maxNew, *std::max_element(w.stars.newT.begin(), w.stars.newT.end()));
      maxNova = std::max(maxNova, *std::max_element(w.stars.novaT.begin(), w.stars.novaT.end()));
    });
    EXPECT_EQ(maxWait, c.maxWait);
    EXPECT_EQ(maxNew, c.maxNew);
    EXPECT_EQ(maxNova, c.maxNova);
  }
}

TEST_F(GalaxyLoopTest, TheGalaxyIsRebuiltOnceItsCentreIsHalfARadiusBehindTheEye) {
  struct Case {
    const char* what;
    std::function<void(GalaxySettings&)> change;
    int frames;
    int firstRebuild;  // 0: none
  };
  const Case cases[] = {
      // From 3.0 by 0.00375 a frame to below -1 (radius 2).
      {"defaults", [](auto&) {}, 1100, 1067},
      {"velocity 0", [](auto& s) { s.Velocity = 0; }, 3000, 0},
      {"radius 1", [](auto& s) { s.Radius = 100; }, 1000, 934},  // to below -0.5
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const GalaxySettings run = Run([&](auto& s) { StarsOnly(s), s.Stars = 10, c.change(s); });
    int frame = 0, first = 0;
    RunFrames(run, c.frames, [&](const GalaxyWorld& w) {
      ++frame;
      if (!first && w.dist < -0.5f * run.Radius) first = frame;
    });
    EXPECT_EQ(first, c.firstRebuild);
  }
}

// A galaxy that passes the eye every frame still lets the loop pace and stop.
TEST_F(GalaxyLoopTest, AGalaxyPassingEveryFrameStillPaces) {
  const GalaxySettings run = Run([](auto& s) { s.Stars = 10, s.Radius = 1, s.Distance = 0, s.Velocity = 9999; });
  int built = 0;
  RunFrames(run, 50, [&](const GalaxyWorld& w) { built = w.galaxies; });
  EXPECT_EQ(host_.presented, 50);
  EXPECT_EQ(built, 100);  // a hundred galaxies, one a frame: every other frame follows a rebuild unpaced
}

TEST_F(GalaxyLoopTest, DarkMatterThemeHidesTheGalaxyButNotItsFlashesNovaeAndAmbientStars) {
  gState.PerfMult = 1;
  LoadGalaxySettings(16, false);
  const GalaxySettings theme = NormaliseGalaxySettings(gGalaxySettings);
  bool allBlack = true;
  std::set<uint32_t> colours;
  RunFrames(theme, 60, [&](const GalaxyWorld& w) {
    allBlack = allBlack && std::all_of(w.stars.color.begin(), w.stars.color.end(), [](uint32_t c) { return c == 0; });
  });
  for (const Pixel& p : LitPixels()) colours.insert(canvas_.GetPixel(p.first, p.second));
  EXPECT_TRUE(allBlack);
  EXPECT_GT(LitPixels().size(), 100u);
  EXPECT_TRUE(colours.count(kWhite));  // flashes, novae and young ambient stars

  // Without renewals and ambient stars nothing at all shows.
  GalaxySettings bare = theme;
  bare.NewFreq = 0;
  bare.AmbStars = 0;
  RunFrames(bare, 60);
  EXPECT_EQ(LitPixels().size(), 0u);
}

}  // namespace
}  // namespace pyxora::testing
