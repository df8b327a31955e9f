#include "effects/galaxy/galaxy_loop.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "base/numeric.h"
#include "effects/galaxy/galaxy_build.h"
#include "effects/galaxy/galaxy_draw.h"
#include "effects/galaxy/galaxy_events.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/display_canvas.h"
#include "render/frame_host.h"
#include "render/pacing.h"
#include "render/projection.h"
#include "render/random.h"
#include "render/saver_state.h"
#include "render/viewport.h"

namespace pyxora {
namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr uint32_t kWhite = RgbColor(255, 255, 255);
constexpr int32_t kLastPaletteEntry = 79;
constexpr size_t kStarsPerLine = 16;  // 4-byte fields in a cache line

// The nova's colour walks the palette as it grows; a nova of 160 frames or more would
// reach one past the end on its last frame and keeps the last entry.
inline uint32_t NovaColor(const GalaxyWorld& world, const GalaxySettings& run, int16_t novaT) {
  int32_t index = 0;
  if (!RoundToInt32(static_cast<float>(run.NovaFrames - novaT) * world.novaStep, index)) return 0;
  return StarPalette[static_cast<size_t>(std::clamp(index, 0, kLastPaletteEntry))];
}

// Keeps the flash's arguments for the erase next frame, and draws it.
inline void ShowFlash(GalaxyWorld& world, const GalaxySettings& run, const GalaxyCamera& cam, size_t k,
                      const GalaxyPoint& p) {
  GalaxyStars& s = world.stars;
  s.flashX[k] = p.column;
  s.flashY[k] = p.row;
  s.spriteDepth[k] = p.depth;
  DrawNewStar(cam, run, p.column, p.row, p.depth, s.newT[k], kWhite);
}

inline void ShowNova(GalaxyWorld& world, const GalaxySettings& run, const GalaxyCamera& cam, size_t k,
                     const GalaxyPoint& p, uint32_t color) {
  GalaxyStars& s = world.stars;
  s.novaX[k] = p.x;
  s.novaY[k] = p.y;
  s.spriteDepth[k] = p.depth;
  DrawNova(cam, run, p.x, p.y, p.depth, s.novaT[k], color);
}

// Four floats or 32-bit integers side by side, worked on by one instruction.
using Floats4 = float __attribute__((vector_size(16)));
using Ints4 = int32_t __attribute__((vector_size(16)));

inline Floats4 Choose(Ints4 mask, Floats4 yes, Floats4 no) {
  return reinterpret_cast<Floats4>((reinterpret_cast<Ints4>(yes) & mask) | (reinterpret_cast<Ints4>(no) & ~mask));
}
inline Floats4 Magnitude(Floats4 v) { return reinterpret_cast<Floats4>(reinterpret_cast<Ints4>(v) & 0x7FFFFFFF); }

// Step 3 for every star: erase last frame's picture, then update and draw.
void StarsStep(GalaxyWorld& world, const GalaxySettings& run, const GalaxyCamera& cam, float sinT, float cosT) {
  GalaxyStars& s = world.stars;
  Canvas& dc = *cam.dc;
  const auto n = static_cast<size_t>(world.starCount);
  // This frame's ring slots lie side by side, one per star, so the loop reads them in a row.
  const size_t ring = static_cast<size_t>(world.ringPos) * n;
  PlaceTurnedStars(world, cam, sinT, cosT);
  for (size_t k = 0; k < n; ++k) {
    if (s.age[k] < std::numeric_limits<int32_t>::max()) ++s.age[k];
    const size_t slot = ring + k;

    if (s.newT[k] > 0) {
      if (s.spriteDepth[k] > kGalaxyNearPlane)
        DrawNewStar(cam, run, s.flashX[k], s.flashY[k], s.spriteDepth[k], s.newT[k], 0);
      --s.newT[k];
    } else if (s.novaT[k] > 0) {
      if (s.spriteDepth[k] > kGalaxyNearPlane) DrawNova(cam, run, s.novaX[k], s.novaY[k], s.spriteDepth[k], s.novaT[k], 0);
    } else if (s.age[k] > world.trail) {
      dc.SetPixel(s.ringX[slot], s.ringY[slot], 0);
    }

    if (s.wait[k] > 0) {  // its trail is being erased
      if (--s.wait[k] == 0) RenewStar(world, run, cam, k, sinT, cosT);
      continue;
    }
    if (s.novaT[k] > 0) {
      if (--s.novaT[k] == 0) {
        // The nova is over: reborn once more, as a new star somewhere else.
        CreateGalaxyStar(world, run, k);
        s.newT[k] = run.NewFrames;
        const GalaxyPoint p = GalaxyToScreen(cam, world.dist, s.r[k], s.theta[k], s.h[k], sinT, cosT);
        if (p.onScreen) ShowFlash(world, run, cam, k, p);
      } else {
        s.theta[k] += s.omega[k];
        const GalaxyPoint p = GalaxyToScreen(cam, world.dist, s.r[k], s.theta[k], s.h[k], sinT, cosT);
        if (p.depth > kGalaxyNearPlane) ShowNova(world, run, cam, k, p, NovaColor(world, run, s.novaT[k]));
      }
      continue;
    }
    s.theta[k] += s.omega[k];
    const GalaxyPoint p = TurnedPoint(world, cam, k, sinT, cosT);
    if (!(p.depth > kGalaxyNearPlane)) continue;  // behind the eye: keeps turning, slot untouched
    if (s.newT[k] > 0) {
      if (p.onScreen) ShowFlash(world, run, cam, k, p);
    } else {
      s.ringX[slot] = p.onScreen ? p.column : kGalaxyNoPixel;
      s.ringY[slot] = p.row;
      dc.SetPixel(s.ringX[slot], p.row, s.color[k]);
    }
  }
}

// Step 6: a few random normal stars older than their trail start waiting to be renewed.
void TriggerRenewals(GalaxyWorld& world, const GalaxySettings& run) {
  GalaxyStars& s = world.stars;
  const int32_t tries = RenewalCount(run.NewFreq);
  const auto n = static_cast<size_t>(world.starCount);
  for (int32_t i = 0; i < tries; ++i) {
    const size_t j = std::min(static_cast<size_t>(std::floor(Rnd() * static_cast<float>(n))), n - 1);
    // A busy star is skipped; the attempt is not repeated.
    if (s.age[j] > world.trail && s.wait[j] == 0 && s.newT[j] == 0 && s.novaT[j] == 0)
      s.wait[j] = static_cast<int16_t>(world.trail + 1);
  }
}

}  // namespace

// Four stars at a time: the same arithmetic as GalaxyToScreen, so the same pixels,
// without a call and a wait for each star.
void PlaceTurnedStars(GalaxyWorld& world, const GalaxyCamera& cam, float sinT, float cosT) {
  const GalaxyStars& s = world.stars;
  TurnedPlaces& out = world.turned;
  const auto n = static_cast<size_t>(world.starCount);
  out.depth.resize(n);
  out.column.resize(n);
  out.row.resize(n);
  out.quick.assign(n, 0);
  auto load = [](const float* from) {
    Floats4 v;
    std::memcpy(&v, from, sizeof v);
    return v;
  };
  const size_t ring = static_cast<size_t>(world.ringPos) * n;
  for (size_t k = 0; k + 4 <= n; k += 4) {
    // The main pass reads more arrays side by side than the processor follows on its own
    // after a frame's sleep: this pass, which streams four of them anyway, asks for the rest.
    if (k % kStarsPerLine == 0) {
      __builtin_prefetch(s.age.data() + k, 1);
      __builtin_prefetch(s.color.data() + k);
      __builtin_prefetch(s.ringX.data() + ring + k, 1);
      __builtin_prefetch(s.ringY.data() + ring + k, 1);
      if (k % (2 * kStarsPerLine) == 0)
        for (const int16_t* t : {s.wait.data() + k, s.newT.data() + k, s.novaT.data() + k}) __builtin_prefetch(t, 1);
    }
    const Floats4 theta = load(&s.theta[k]) + load(&s.omega[k]);
    const Ints4 angleFits = Magnitude(theta) < kQuickAngleLimit;
    Floats4 q, sr, cr;
    ReducedSinCos(Choose(angleFits, theta, Floats4{}), q, sr, cr);
    const Ints4 quadrant = __builtin_convertvector(q, Ints4);
    const Ints4 odd = (quadrant & 1) != 0;
    const Floats4 s0 = Choose(odd, cr, sr), c0 = Choose(odd, sr, cr);
    const Floats4 sine = Choose((quadrant & 2) != 0, -s0, s0);
    const Floats4 cosine = Choose(((quadrant + 1) & 2) != 0, -c0, c0);
    Floats4 x, y, depth;
    TiltedPoint(load(&s.r[k]), sine, cosine, load(&s.h[k]), world.dist, sinT, cosT, x, y, depth);
    const Ints4 inFront = depth > kGalaxyNearPlane;
    const Floats4 f = cam.scale / Choose(inFront, depth, Floats4{} + 1.0f);
    const Floats4 cx = x * f + cam.centreX, cy = y * f + cam.centreY;
    const Ints4 fits = (Magnitude(cx) < kQuickRoundLimit) & (Magnitude(cy) < kQuickRoundLimit);
    const Ints4 column = __builtin_convertvector(NearestWhole(Choose(fits, cx, Floats4{})), Ints4);
    const Ints4 row = __builtin_convertvector(NearestWhole(Choose(fits, cy, Floats4{})), Ints4);
    const Ints4 quick = angleFits & (~inFront | fits);
    std::memcpy(&out.depth[k], &depth, sizeof depth);
    std::memcpy(&out.column[k], &column, sizeof column);
    std::memcpy(&out.row[k], &row, sizeof row);
    for (size_t lane = 0; lane < 4; ++lane) out.quick[k + lane] = quick[lane] != 0;
  }
}

GalaxyPoint TurnedPoint(const GalaxyWorld& world, const GalaxyCamera& cam, size_t k, float sinT, float cosT) {
  const GalaxyStars& s = world.stars;
  const TurnedPlaces& t = world.turned;
  if (!t.quick[k]) return GalaxyToScreen(cam, world.dist, s.r[k], s.theta[k], s.h[k], sinT, cosT);
  GalaxyPoint p;
  p.depth = t.depth[k];
  if (p.depth > kGalaxyNearPlane) {
    p.column = t.column[k];
    p.row = t.row[k];
    p.onScreen = true;
  }
  return p;
}

GalaxyCamera CurrentGalaxyCamera(Canvas& fallback) {
  GalaxyCamera cam;
  cam.dc = gViewport.DrawDC ? gViewport.DrawDC : &fallback;
  cam.scale = gViewport.ProjScale;
  cam.centreX = static_cast<float>(gViewport.CentreX);
  cam.centreY = static_cast<float>(gViewport.CentreY);
  cam.focal = gViewport.FocalLength;
  return cam;
}

int32_t RenewalCount(int16_t newFreq) {
  const int32_t bonus = Rnd() * 100.0f < static_cast<float>(newFreq % 100) ? 1 : 0;
  // In double, so 1.5 and 2.5 are exact and both round to 2.
  return static_cast<int32_t>(RoundHalfEven(bonus + newFreq * 0.01));
}

void RenewStar(GalaxyWorld& world, const GalaxySettings& run, const GalaxyCamera& cam, size_t k, float sinT,
               float cosT) {
  GalaxyStars& s = world.stars;
  CreateGalaxyStar(world, run, k);
  const bool nova = Rnd() < run.NovaFreq;
  if (nova) s.novaT[k] = run.NovaFrames;
  else s.newT[k] = run.NewFrames;
  const GalaxyPoint p = GalaxyToScreen(cam, world.dist, s.r[k], s.theta[k], s.h[k], sinT, cosT);
  if (!(p.depth > kGalaxyNearPlane)) return;
  if (nova) ShowNova(world, run, cam, k, p, kWhite);
  else if (p.onScreen) ShowFlash(world, run, cam, k, p);
}

bool GalaxyFrame(GalaxyWorld& world, const GalaxySettings& run, const GalaxyCamera& cam) {
  const float sinT = std::sin(world.tilt), cosT = std::cos(world.tilt);
  world.tilt += run.AngleTInc;
  // Kept within a turn, so a near-full-turn increment (a slow backwards tilt) stays smooth
  // instead of drowning in the rounding of an ever larger angle.
  if (world.tilt >= kTwoPi) world.tilt -= kTwoPi;

  StarsStep(world, run, cam, sinT, cosT);
  if (run.BurstFreq > 0) BurstStep(world, run, cam, world.tilt);
  if (run.CometFreq > 0) CometStep(world, run, cam, world.tilt);
  AmbientStep(world, run, cam);
  world.ringPos = (world.ringPos + 1) % world.trail;
  TriggerRenewals(world, run);
  world.dist -= run.Velocity;
  return world.dist < -0.5f * run.Radius;
}

void GalaxyLoop(const GalaxySettings& run, const GalaxyLoopOptions& options) {
  if (run.Stars < 1) return;  // the callers hand over clamped settings
  Canvas nowhere;
  const GalaxyCamera cam = CurrentGalaxyCamera(nowhere);
  GalaxyWorld world(run);
  BuildGalaxy(world, run);
  bool rebuiltLastFrame = false;
  for (;;) {
    if (gState.Host) gState.FrameStartTick = gState.Host->Tick();
    const bool passed = GalaxyFrame(world, run, cam);
    if (options.afterFrame) options.afterFrame(world);
    if (passed) {
      ClearCanvas();
      BuildGalaxy(world, run);
      // The rebuilt galaxy's first frame follows at once, unpaced; but a galaxy that
      // passes the eye every frame must not keep the loop from ever pacing.
      if (!rebuiltLastFrame) {
        rebuiltLastFrame = true;
        continue;
      }
    }
    rebuiltLastFrame = false;
    if (PaceFrame()) return;
    if (AdvanceCycleFrame()) return;
    if (gState.PreviewStopRequested) {
      gState.PreviewStopRequested = false;
      return;
    }
    if (gState.Mode == RunMode::Preview) WaitNextTick();
  }
}

}  // namespace pyxora
