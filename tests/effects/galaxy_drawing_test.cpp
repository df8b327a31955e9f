// Galaxy drawing and events: the projection, the flash and nova sprites, bursts, comets
// and ambient stars.
#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>
#include <vector>

#include "effects/galaxy/galaxy_build.h"
#include "effects/galaxy/galaxy_draw.h"
#include "effects/galaxy/galaxy_events.h"
#include "effects/galaxy/galaxy_loop.h"
#include "galaxy_fixture.h"

namespace pyxora::testing {
namespace {

class GalaxyDrawingTest : public GalaxyTest {
 protected:
  GalaxyCamera Camera() { return CurrentGalaxyCamera(canvas_); }
  static constexpr int32_t X = 160, Y = 120;
};

TEST_F(GalaxyDrawingTest, GalaxyToScreenTiltsAndPlacesTheStar) {
  const GalaxyCamera cam = Camera();
  const float s = gViewport.ProjScale;
  // Tilt 0: the plane holds the line of sight, positive heights drawn upward.
  GalaxyPoint p = GalaxyToScreen(cam, 3, 0.5f, 0, 0.25f, 0, 1);
  EXPECT_FLOAT_EQ(p.x, 0.5f);
  EXPECT_FLOAT_EQ(p.y, -0.25f);
  EXPECT_FLOAT_EQ(p.depth, 3);
  EXPECT_EQ(p.column, std::lround(0.5f * s / 3 + 160));
  EXPECT_EQ(p.row, std::lround(-0.25f * s / 3 + 120));
  EXPECT_LT(p.row, 120);
  // A quarter turn further round the axis the star lies nearer, by r.
  p = GalaxyToScreen(cam, 3, 0.5f, 1.5707964f, 0, 0, 1);
  EXPECT_NEAR(p.x, 0, 1e-6f);
  EXPECT_FLOAT_EQ(p.depth, 3.5f);
  // Tilt 90 degrees: face-on, the height points at the eye.
  p = GalaxyToScreen(cam, 3, 0.5f, 1.5707964f, 0.25f, 1, 0);
  EXPECT_FLOAT_EQ(p.y, 0.5f);
  EXPECT_FLOAT_EQ(p.depth, 3.25f);
  // Behind the eye: no pixel.
  p = GalaxyToScreen(cam, -1, 0.5f, 0, 0, 0, 1);
  EXPECT_FALSE(p.onScreen);
}

TEST_F(GalaxyDrawingTest, SinCosAgreesWithTheLibrary) {
  float worst = 0;
  for (float x = -9000; x < 9000; x += 0.37f) {
    float s = 0, c = 0;
    SinCos(x, s, c);
    worst = std::max({worst, std::fabs(s - std::sin(x)), std::fabs(c - std::cos(x))});
  }
  EXPECT_LT(worst, 1e-6f);
}

// The four-at-a-time placing must give every star the pixel the one-star way gives,
// also at the edges of its range, where it hands the star over.
TEST_F(GalaxyDrawingTest, StarsPlacedFourAtATimeLandWhereTheOneStarWayPutsThem) {
  const GalaxySettings run = Run(StarsOnly);
  GalaxyWorld world(run);
  BuildGalaxy(world, run);
  GalaxyStars& s = world.stars;
  ASSERT_GE(world.starCount, 64);
  // Edge cases among ordinary stars: huge angles, the eye's plane, pixels past 2^22,
  // a star right behind the eye, NaN.
  const float edges[][3] = {{8191.0f, 0.5f, 0.3f},  {8191.9f, 0.2f, 0.3f}, {-8192.5f, 0, 0.3f},
                            {1e30f, 0, 0.3f},      {0.5f, 0, 1e9f},       {3.0f, 0, 1e-12f},
                            {NAN, 0, 0.3f},        {-0.7f, -1.3f, 0.3f},  {100.0f, 0.001f, 0.3f}};
  for (size_t e = 0; e < std::size(edges); ++e) {
    s.theta[e * 3] = edges[e][0];
    s.omega[e * 3] = edges[e][1];
    s.r[e * 3] = edges[e][2];
  }
  s.r[40] = 4e9f;  // lands far off the surface
  const GalaxyCamera cam = Camera();
  for (const float tilt : {0.0f, 0.7f, 2.9f, 4.4f}) {
    for (const float dist : {world.dist, 0.3f, 0.0f, -0.2f}) {
      world.dist = dist;
      const std::vector<float> before = s.theta;
      PlaceTurnedStars(world, cam, std::sin(tilt), std::cos(tilt));
      for (size_t k = 0; k < static_cast<size_t>(world.starCount); ++k) {
        s.theta[k] += s.omega[k];  // as the frame turns it before asking
        const GalaxyPoint want = GalaxyToScreen(cam, dist, s.r[k], s.theta[k], s.h[k], std::sin(tilt), std::cos(tilt));
        const GalaxyPoint got = TurnedPoint(world, cam, k, std::sin(tilt), std::cos(tilt));
        ASSERT_EQ(got.onScreen, want.onScreen) << "star " << k << " tilt " << tilt << " dist " << dist;
        if (std::isnan(want.depth)) {
          ASSERT_TRUE(std::isnan(got.depth)) << "star " << k;
          continue;
        }
        ASSERT_EQ(got.depth, want.depth) << "star " << k << " tilt " << tilt << " dist " << dist;
        if (want.onScreen) {
          ASSERT_EQ(got.column, want.column) << "star " << k << " tilt " << tilt << " dist " << dist;
          ASSERT_EQ(got.row, want.row) << "star " << k << " tilt " << tilt << " dist " << dist;
        }
      }
      s.theta = before;
    }
  }
  // The fast way is the common way: only the edge cases were handed over.
  size_t handedOver = 0;
  for (uint8_t quick : world.turned.quick) handedOver += quick == 0;
  EXPECT_LE(handedOver, std::size(edges) + 4u);
}

// The flash has n = nearest(32 e) rings, e = focal length / depth x NewExtMult x t / NewFrames:
// crosses up to n = 3, diagonals from 4, a cross at 4e from 8.
TEST_F(GalaxyDrawingTest, NewStarFlashShrinksFromTwentyFivePixelsToOne) {
  struct Case {
    float focal, depth, size;
    int32_t t;
    size_t pixels;
    std::vector<Pixel> some;
  };
  const Case cases[] = {
      {1, 1, 0.01f, 10, 1, {{X, Y}}},                              // 32e below 0.5
      {1, 1, 1.0f / 32, 10, 5, {{X - 1, Y}, {X, Y + 1}}},          // n = 1
      {1, 1, 0.0625f, 10, 9, {{X + 1, Y}, {X, Y - 2}}},            // n = 2: crosses at 1 and 2
      {1, 2, 0.1875f, 10, 9, {{X + 2, Y}, {X, Y - 3}}},            // n = 3: 16e = 1.5 rounds to 2
      {1, 1, 0.125f, 10, 17, {{X - 1, Y + 1}, {X + 2, Y - 2}, {X, Y + 2}, {X - 4, Y}}},  // n = 4: diagonals join in
      {1, 1, 0.15625f, 10, 17, {{X - 1, Y - 1}, {X + 2, Y + 2}, {X + 5, Y}, {X + 2, Y}}},  // n = 5
      {1, 1, 0.4375f, 5, 17, {{X - 2, Y - 2}, {X + 3, Y + 3}, {X + 4, Y}, {X, Y + 7}}},   // n = 7, half way
      {2, 1, 0.125f, 10, 21, {{X + 1, Y}, {X + 2, Y + 2}, {X - 3, Y + 3}, {X, Y - 8}}},   // n = 8: a cross at 4e
      {1, 1, 1.0f, 10, 25, {{X - 1, Y}, {X, Y + 4}, {X - 8, Y - 8}, {X + 12, Y + 12}, {X + 16, Y}, {X, Y - 32}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "focal " << c.focal << ", depth " << c.depth << ", size " << c.size);
    GalaxyCamera cam = Camera();
    cam.focal = c.focal;
    GalaxySettings run = Run();
    run.NewExtMult = c.size, run.NewFrames = 10;
    canvas_.Prepare();
    DrawNewStar(cam, run, X, Y, c.depth, c.t, kWhite);
    const std::set<Pixel> lit = LitPixels();
    EXPECT_EQ(lit.size(), c.pixels);
    for (const Pixel& p : c.some) EXPECT_TRUE(lit.count(p)) << p.first << "," << p.second;
  }
}

// Off the line of sight the nova's five layers, each at its own depth (depth, then
// +-0.1 N and +-0.2 N), land apart: here N 0.6 at depth 1, 0.2 to the right.
TEST_F(GalaxyDrawingTest, ANovasLayersLieAtTheirOwnDepths) {
  GalaxySettings run = Run();
  run.NovaExtMult = 0.6f;
  DrawNova(Camera(), run, 0.2f, 0, 1, run.NovaFrames, kWhite);  // full size 1 on its first frame
  const std::set<Pixel> lit = LitPixels();
  EXPECT_EQ(lit.size(), 91u);
  // A pixel of each of layers 2 to 5 that no other layer draws.
  for (const Pixel& p : {Pixel{200, 120}, Pixel{205, 120}, Pixel{186, 120}, Pixel{192, 121}})
    EXPECT_TRUE(lit.count(p)) << p.first << "," << p.second;
}

// Every sprite is erased next frame by drawing it again in black with the same arguments.
TEST_F(GalaxyDrawingTest, EverySpriteDrawnAndErasedLeavesBlack) {
  const GalaxyCamera cam = Camera();
  for (float size : {75.0f, 9999.0f}) {
    const GalaxySettings run = Run([&](auto& s) { s.NewExtMult = size, s.NovaExtMult = size, s.NovaFrames = 40; });
    for (float depth : {0.05f, 0.5f, 1.0f, 4.0f}) {
      for (int32_t t : {1, 2, 3, 5, 9, 10, 20, 39, 40}) {
        SCOPED_TRACE(::testing::Message() << "size " << size << " depth " << depth << " t " << t);
        canvas_.Prepare();
        if (t <= run.NewFrames) {
          DrawNewStar(cam, run, X, Y, depth, t, kWhite);
          ASSERT_GT(canvas_.CountLitPixels(), 0u);
          DrawNewStar(cam, run, X, Y, depth, t, 0);
          ASSERT_EQ(canvas_.CountLitPixels(), 0u);
        }
        DrawNova(cam, run, 0.002f, -0.001f, depth, t, kWhite);
        ASSERT_GT(canvas_.CountLitPixels(), 0u);
        ASSERT_LE(canvas_.CountLitPixels(), 97u);
        DrawNova(cam, run, 0.002f, -0.001f, depth, t, 0);
        ASSERT_EQ(canvas_.CountLitPixels(), 0u);
      }
    }
  }
}

TEST_F(GalaxyDrawingTest, ANovaGrowsAsItsFramesCountDown) {
  const GalaxyCamera cam = Camera();
  const GalaxySettings run = Run();  // NovaExtMult 0.05, 30 frames
  size_t previous = 0;
  for (int32_t t : {30, 20, 10, 1}) {
    canvas_.Prepare();
    DrawNova(cam, run, 0, 0, 1.0f, t, kWhite);
    const std::set<Pixel> lit = LitPixels();
    int32_t reach = 0;
    for (const Pixel& p : lit) reach = std::max(reach, std::abs(p.first - X));
    // The outermost cross lies at nearest(32 x 0.05 x g), g = (31 - t)^0.6375.
    EXPECT_EQ(reach, std::lround(32 * 0.05f * std::pow(31.0f - t, 0.6375f))) << t;
    EXPECT_GE(lit.size(), previous);
    previous = lit.size();
    // Centred, every layer is symmetric under the eight turns and mirrors of the square.
    for (const auto& [px, py] : lit) {
      const int32_t dx = px - X, dy = py - Y;
      for (const Pixel& q : {Pixel{X - dx, Y + dy}, Pixel{X + dx, Y - dy}, Pixel{X + dy, Y + dx}})
        EXPECT_TRUE(lit.count(q)) << t << ": " << dx << "," << dy;
    }
  }
}

TEST_F(GalaxyDrawingTest, ShellPointsFillTheBallOrLieOnItsSurface) {
  float nearest = 100;
  for (int i = 0; i < 500; ++i) {
    float x, y, z;
    RandomShellPoint(5, 1, x, y, z);
    EXPECT_NEAR(std::sqrt(x * x + y * y + z * z), 5.0f, 1e-4f);
    RandomShellPoint(5, 0, x, y, z);
    const float m = std::sqrt(x * x + y * y + z * z);
    EXPECT_LE(m, 5.0f);
    nearest = std::min(nearest, m);
  }
  EXPECT_LT(nearest, 2.0f);
}

TEST_F(GalaxyDrawingTest, AmbientStarsFlyTowardTheEyeAndFadeByTheirColourAge) {
  struct Case {
    float ageInc;
    int frames;
    float ageAfter;
  };
  const Case cases[] = {
      {0, 50, 0},             // stay white
      {1, 85, 85},            // fade out over 80 frames, fly on unseen
      {0.995f, 81, 80.595f},  // last drawn at age 79.6, which rounds past the palette
  };
  const GalaxyCamera cam = Camera();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ageInc);
    const GalaxySettings run = Run([&](auto& s) { s.AmbPersist = 1, s.AmbCAgeInc = c.ageInc, s.AmbRadius = 200; });
    GalaxyWorld world(run);
    BuildGalaxy(world, run);
    canvas_.Prepare();
    const std::vector<float> z0 = world.ambient.z;
    for (int f = 0; f < c.frames; ++f) AmbientStep(world, run, cam);
    const AmbientStars& a = world.ambient;
    for (size_t i = 0; i < a.z.size(); ++i) EXPECT_NEAR(a.z[i], z0[i] - c.frames * run.Velocity, 1e-3f);
    EXPECT_NEAR(a.colorAge[0], c.ageAfter, 1e-3f);
    std::set<uint32_t> colours;
    for (const Pixel& p : LitPixels()) colours.insert(canvas_.GetPixel(p.first, p.second));
    if (c.ageInc == 0) {
      EXPECT_EQ(colours, std::set<uint32_t>{StarPalette[0]});
    }
    if (c.ageAfter >= 80) {
      EXPECT_EQ(colours, c.frames == 81 ? std::set<uint32_t>{StarPalette[79]} : std::set<uint32_t>{});
    }
  }
}

// A respawned ambient star starts white on the far half of its shell round the galaxy's
// centre (|z|, then out by the current Dist), flying at the eye.
TEST_F(GalaxyDrawingTest, RespawnedAmbientStarsStartOnTheFarHalfOfTheirShell) {
  const GalaxySettings run = Run([](auto& s) { s.AmbPersist = 0.25f, s.AmbSymmetry = 1, s.AmbCAgeInc = 0.5f; });
  GalaxyWorld world(run);
  BuildGalaxy(world, run);
  world.dist = 1.5f;
  AmbientStars& a = world.ambient;
  std::fill(a.colorAge.begin(), a.colorAge.end(), 10.0f);
  AmbientStep(world, run, Camera());
  size_t respawned = 0;
  for (size_t i = 0; i < a.z.size(); ++i) {
    if (a.colorAge[i] != 0.5f) continue;  // a survivor is at 10.5
    ++respawned;
    EXPECT_NEAR(std::sqrt(a.x[i] * a.x[i] + a.y[i] * a.y[i] + (a.z[i] - 1.5f) * (a.z[i] - 1.5f)), 25, 1e-3f) << i;
    EXPECT_GE(a.z[i], 1.5f) << i;
    EXPECT_EQ(std::make_tuple(a.vx[i], a.vy[i], a.vz[i]), std::make_tuple(0.0f, 0.0f, -run.Velocity)) << i;
  }
  EXPECT_NEAR(static_cast<double>(respawned) / static_cast<double>(a.z.size()), 0.75, 0.1);
}

// Bursts turn by 2 pi Rotation / r a frame and comets by 2 pi CometOrbit / r (r, not its
// root as for stars); both come nearer with the galaxy, Velocity a frame. A burst
// particle lies age x its direction from the burst's centre.
TEST_F(GalaxyDrawingTest, BurstsAndCometsTurnAndComeNearerWithTheGalaxy) {
  const GalaxySettings run = Run([](auto& s) {
    s.BurstFreq = 9999, s.CometFreq = 9999, s.Rotation = 1000, s.CometOrbit = 500, s.Velocity = 2000;
  });
  GalaxyWorld world(run);
  BuildGalaxy(world, run);
  const GalaxyCamera cam = Camera();
  constexpr float kTilt = 0.3f, kTwoPi = 6.2831855f;
  auto follow = [&](auto& pool, auto step, float speed, const char* what) {
    SCOPED_TRACE(what);
    step();
    const auto i = static_cast<size_t>(std::find_if(pool.live.begin(), pool.live.end(), [](int16_t n) { return n > 0; }) -
                                       pool.live.begin());
    ASSERT_LT(i, pool.live.size());
    EXPECT_FLOAT_EQ(pool.omega[i], kTwoPi * speed / pool.r[i]);
    EXPECT_FLOAT_EQ(pool.centreZ[i], world.dist - run.Velocity);  // started at Dist, one step on
    const float theta = pool.theta[i], z = pool.centreZ[i];
    step();
    EXPECT_FLOAT_EQ(pool.theta[i], theta + pool.omega[i]);
    EXPECT_FLOAT_EQ(pool.centreZ[i], z - run.Velocity);
  };
  follow(world.bursts, [&] { BurstStep(world, run, cam, kTilt); }, run.Rotation, "burst");
  follow(world.comets, [&] { CometStep(world, run, cam, kTilt); }, run.CometOrbit, "comet");

  const BurstPool& b = world.bursts;
  for (size_t n = 0; n < b.live.size(); ++n)  // each burst counts its own particles, and only those
    EXPECT_EQ(b.live[n], std::count(b.alive.begin() + 100 * n, b.alive.begin() + 100 * (n + 1), 1)) << n;
  const size_t i = static_cast<size_t>(std::find(b.age.begin(), b.age.end(), 2) - b.age.begin());
  ASSERT_LT(i, b.age.size());
  const float a = b.r[i] * std::sin(b.theta[i]);
  const float hx = b.r[i] * std::cos(b.theta[i]), hy = a * std::sin(kTilt) - std::cos(kTilt) * b.h[i];
  const float hz = a * std::cos(kTilt) + b.centreZ[i] + std::sin(kTilt) * b.h[i];
  int checked = 0;
  for (size_t j = i * 100; j < i * 100 + 100; ++j) {
    if (!b.alive[j]) continue;
    const float depth = 2 * b.dz[j] + hz;
    EXPECT_EQ(b.column[j], std::lrint((2 * b.dx[j] + hx) * cam.scale / depth + cam.centreX)) << j;
    EXPECT_EQ(b.row[j], std::lrint((2 * b.dy[j] + hy) * cam.scale / depth + cam.centreY)) << j;
    ++checked;
  }
  EXPECT_GT(checked, 80);
}

TEST_F(GalaxyDrawingTest, BurstsExpandFromACentreAndKeepTheLastColourWhenOld) {
  const GalaxySettings run = Run([](auto& s) {
    s.BurstFreq = 9999, s.BurstStars = 999, s.BurstPersist = 0.99f, s.Velocity = 0, s.Rotation = 0;
  });
  GalaxyWorld world(run);
  BuildGalaxy(world, run);
  const GalaxyCamera cam = Camera();
  for (int f = 0; f < 90; ++f) BurstStep(world, run, cam, 0);
  const BurstPool& b = world.bursts;
  ASSERT_EQ(b.live.size(), 2u);
  EXPECT_GT(b.live[0] + b.live[1], 0);
  for (size_t i = 0; i < 2; ++i)  // each burst counts exactly its particles still alive
    EXPECT_EQ(b.live[i], std::count(b.alive.begin() + 999 * i, b.alive.begin() + 999 * (i + 1), 1));
  ASSERT_GT(std::max(b.age[0], b.age[1]), 79);
  EXPECT_LE(std::max(b.age[0], b.age[1]), 90);
  // Directions all have the burst speed; a burst past 79 frames shows the last entry.
  for (size_t j = 0; j < 999; ++j)
    EXPECT_NEAR(std::sqrt(b.dx[j] * b.dx[j] + b.dy[j] * b.dy[j] + b.dz[j] * b.dz[j]), 0.004f, 1e-6f);
  std::set<uint32_t> colours;
  for (const Pixel& p : LitPixels()) colours.insert(canvas_.GetPixel(p.first, p.second));
  EXPECT_TRUE(colours.count(StarPalette[79]));
}

TEST_F(GalaxyDrawingTest, CometTailsStreamAwayFromTheWorldCentre) {
  const GalaxySettings run = Run([](auto& s) {
    s.CometFreq = 9999, s.CometStars = 999, s.CometSpeed = 0, s.CometSWind = 500, s.CometCPersist = 0.9999f;
  });
  GalaxyWorld world(run);
  BuildGalaxy(world, run);
  const GalaxyCamera cam = Camera();
  constexpr float kTilt = 0.5f;
  CometStep(world, run, cam, kTilt);
  const CometPool& c = world.comets;
  int started = 0;
  for (size_t i = 0; i < c.live.size(); ++i) started += c.live[i] > 0;
  EXPECT_EQ(started, 1);
  const size_t comet = static_cast<size_t>(std::find_if(c.live.begin(), c.live.end(), [](int16_t n) { return n > 0; }) -
                                           c.live.begin());
  // A head sits where GalaxyToScreen puts a star at (r, theta, h), at its own depth z.
  // Started and moved once in this step, a particle is two steps from the starting head,
  // or one from the moved head when it was emitted again.
  const auto head = [&](float theta, float z) {
    const GalaxyPoint p = GalaxyToScreen(cam, z, c.r[comet], theta, c.h[comet], std::sin(kTilt), std::cos(kTilt));
    return std::array<float, 3>{p.x, p.y, p.depth};
  };
  const auto start = head(c.theta[comet] - c.omega[comet], c.centreZ[comet] + run.Velocity);
  const auto now = head(c.theta[comet], c.centreZ[comet]);
  for (size_t j = 0; j < 2000; ++j) {
    if (!c.alive[j]) continue;
    const bool fromStart = std::fabs(c.x[j] - 2 * c.vx[j] - start[0]) < 1e-5f &&
                           std::fabs(c.y[j] - 2 * c.vy[j] - start[1]) < 1e-5f &&
                           std::fabs(c.z[j] - 2 * c.vz[j] - start[2]) < 1e-5f;
    const bool fromNow = std::fabs(c.x[j] - c.vx[j] - now[0]) < 1e-5f && std::fabs(c.y[j] - c.vy[j] - now[1]) < 1e-5f &&
                         std::fabs(c.z[j] - c.vz[j] - now[2]) < 1e-5f;
    EXPECT_TRUE(fromStart || fromNow) << j;
    // With no speed of its own a particle moves only with the wind: length 0.005, outward.
    const float dz = c.z[j] - cam.focal;
    EXPECT_NEAR(std::sqrt(c.vx[j] * c.vx[j] + c.vy[j] * c.vy[j] + c.vz[j] * c.vz[j]), 0.005f, 1e-6f);
    EXPECT_GT(c.vx[j] * c.x[j] + c.vy[j] * c.y[j] + c.vz[j] * dz, 0);
  }
}

}  // namespace
}  // namespace pyxora::testing
