#include "effects/gravity/gravity_loop.h"

#include <cmath>
#include <algorithm>
#include <limits>

#include "base/numeric.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/display_canvas.h"
#include "render/frame_host.h"
#include "render/pacing.h"
#include "render/projection.h"
#include "render/random.h"
#include "render/random_vectors.h"
#include "render/saver_state.h"
#include "render/viewport.h"

namespace pyxora {
namespace {

constexpr float kNearPlane = 0.0001f;       // stars at or behind it move but are not drawn
constexpr float kSoftening = 0.000000001f;  // keeps the pull finite on top of an attractor

// What drawing needs from the camera, the colour settings and the run, read once per run.
struct Drawing {
  float scale = 0, centreX = 0, centreY = 0;
  float stereoSep = 0;
  float colorMult = 0, hueStart = 0, stereoHue = 0;
  int16_t colorComp = 0;
  bool stereo = false;
};

// The pixels of one star: its own and, in stereo, the second image on the same row.
struct StarPixels {
  int32_t x = kNoPixel, y = 0, x2 = kNoPixel;
};

// nearest(value) on the 360-entry wheel. A negative hue (a negative stored HueStart)
// wraps round like a positive one; false when the value does not fit 32 bits.
inline bool HueIndex(float value, int32_t& index) {
  if (!RoundToInt32(value, index)) return false;
  index %= 360;
  if (index < 0) index += 360;
  return true;
}

// Pull of every attractor, then one step. The pull falls off as 1/distance.
inline void UpdateStar(const StarField& f, float& x, float& y, float& z, float& vx, float& vy, float& vz) {
  const size_t count = f.attractorMass.size();
  for (size_t j = 0; j < count; ++j) {
    const float dx = f.attractorX[j] - x;
    const float dy = f.attractorY[j] - y;
    const float dz = f.attractorZ[j] - z;
    const float pull = f.attractorMass[j] / (dz * dz + dy * dy + dx * dx + kSoftening);
    vx += dx * pull;
    vy += dy * pull;
    vz += dz * pull;
  }
  x += vx;
  y += vy;
  z += vz;
}

// The colour measure of star k after its update. A measure outside 0..2 (only an
// edited store holds one) measures nothing, so every star takes the hue HueStart.
inline float ColourMeasure(StarField& f, size_t k, int16_t comp) {
  switch (comp) {
    case 0:
      return 0.01f * std::sqrt(f.x[k] * f.x[k] + f.y[k] * f.y[k] + f.z[k] * f.z[k]);
    case 1:
      return std::sqrt(f.vx[k] * f.vx[k] + f.vy[k] * f.vy[k] + f.vz[k] * f.vz[k]);
    case 2: {
      const float speed = std::sqrt(f.vx[k] * f.vx[k] + f.vy[k] * f.vy[k] + f.vz[k] * f.vz[k]);
      const float change = 20.0f * std::fabs(speed - f.previousSpeed[k]);
      f.previousSpeed[k] = speed;
      return change;
    }
    default:
      return 0.0f;
  }
}

// Where a point in front of the eye lands; kNoPixel for a column or row that does not fit.
inline StarPixels Place(const Drawing& d, float x, float y, float z) {
  const float f = d.scale / z;
  StarPixels p;
  int32_t column = 0, row = 0;
  if (!RoundToInt32(y * f + d.centreY, row)) return p;
  p.y = row;
  if (RoundToInt32(x * f + d.centreX, column)) p.x = column;
  if (d.stereo && RoundToInt32((x - d.stereoSep) * f + d.centreX, column)) p.x2 = column;
  return p;
}

inline void Erase(Canvas& dc, const Drawing& d, const StarPixels& p) {
  dc.SetPixel(p.x, p.y, 0);
  if (d.stereo) dc.SetPixel(p.x2, p.y, 0);
}

// The second image comes last, so with no separation it covers the first.
inline void Draw(Canvas& dc, const Drawing& d, const StarPixels& p, float measure) {
  const float hue = measure * d.colorMult + d.hueStart;
  int32_t index = 0;
  if (HueIndex(hue, index)) dc.SetPixel(p.x, p.y, HueWheel[index]);
  if (d.stereo && HueIndex(hue + d.stereoHue, index)) dc.SetPixel(p.x2, p.y, HueWheel[index]);
}

// New emitters, attractors and stars, in this order of random draws.
void GenerateField(StarField& f, const GravitySettings& run) {
  f.refreshCounter = 0;
  f.frameCounter = 0;
  f.ringPos = 0;
  f.activeCount = run.Pixels;
  const float focal = gViewport.FocalLength;
  for (size_t e = 0; e < f.emitterX.size(); ++e) {
    f.emitterX[e] = 1.5f * Rnd() - 0.75f;
    f.emitterY[e] = 1.5f * Rnd() - 0.75f;
    f.emitterZ[e] = focal + 1.5f * Rnd();
  }
  for (size_t a = 0; a < f.attractorX.size(); ++a) {
    f.attractorX[a] = 1.5f * Rnd() - 0.75f;
    f.attractorY[a] = 1.5f * Rnd() - 0.75f;
    f.attractorZ[a] = focal + 1.5f * Rnd();
    f.attractorMass[a] = run.Gravity;
  }
  const auto emitters = static_cast<int32_t>(f.emitterX.size());
  for (size_t k = 0; k < f.x.size(); ++k) {
    const int32_t e = std::min(static_cast<int32_t>(std::floor(Rnd() * static_cast<float>(emitters))), emitters - 1);
    f.x[k] = f.emitterX[e];
    f.y[k] = f.emitterY[e];
    f.z[k] = f.emitterZ[e];
    RandomSphereVector(f.vx[k], f.vy[k], f.vz[k], run.EmitSpeed);
    f.previousSpeed[k] = 0;
    f.alive[k] = 1;
    if (!f.ring) {
      f.eraserX[k] = f.x[k], f.eraserY[k] = f.y[k], f.eraserZ[k] = f.z[k];
      f.eraserVX[k] = f.vx[k], f.eraserVY[k] = f.vy[k], f.eraserVZ[k] = f.vz[k];
    }
  }
  // The canvas was cleared (or is fresh): no stored pixel is left to erase.
  std::fill(f.ringX.begin(), f.ringX.end(), kNoPixel);
  std::fill(f.ringX2.begin(), f.ringX2.end(), kNoPixel);
}

void DrawFrame(Canvas& dc, StarField& f, const GravitySettings& run, const Drawing& d) {
  DrawAttractors(dc, f, run.AttractorRadius);
  const int32_t trail = run.TrailLength;
  if (!f.ring && f.frameCounter < trail) ++f.frameCounter;  // only compared with the trail length
  const size_t count = f.x.size();
  for (size_t k = 0; k < count; ++k) {
    if (f.ring) {
      // Erase what this slot drew TrailLength frames ago, then hold this frame's pixel
      // (or none, so a star that was not drawn erases nothing later).
      const size_t slot = k * static_cast<size_t>(trail) + static_cast<size_t>(f.ringPos);
      dc.SetPixel(f.ringX[slot], f.ringY[slot], 0);
      if (d.stereo) dc.SetPixel(f.ringX2[slot], f.ringY[slot], 0);
      f.ringX[slot] = kNoPixel;
      if (d.stereo) f.ringX2[slot] = kNoPixel;
      if (!f.alive[k]) continue;
      UpdateStar(f, f.x[k], f.y[k], f.z[k], f.vx[k], f.vy[k], f.vz[k]);
      if (f.z[k] > kNearPlane) {
        const float measure = ColourMeasure(f, k, d.colorComp);
        const StarPixels p = Place(d, f.x[k], f.y[k], f.z[k]);
        f.ringX[slot] = p.x;
        f.ringY[slot] = p.y;
        if (d.stereo) f.ringX2[slot] = p.x2;
        Draw(dc, d, p, measure);
      }
    } else {
      if (f.eraserZ[k] > kNearPlane) Erase(dc, d, Place(d, f.eraserX[k], f.eraserY[k], f.eraserZ[k]));
      UpdateStar(f, f.x[k], f.y[k], f.z[k], f.vx[k], f.vy[k], f.vz[k]);
      if (f.frameCounter >= trail)
        UpdateStar(f, f.eraserX[k], f.eraserY[k], f.eraserZ[k], f.eraserVX[k], f.eraserVY[k], f.eraserVZ[k]);
      if (f.alive[k] && f.z[k] > kNearPlane) {
        const float measure = ColourMeasure(f, k, d.colorComp);
        Draw(dc, d, Place(d, f.x[k], f.y[k], f.z[k]), measure);
      }
    }
  }
  if (f.ring) f.ringPos = (f.ringPos + 1) % trail;
}

}  // namespace

StarField::StarField(const GravitySettings& run, bool useRing, bool stereo) : ring(useRing) {
  const auto emitters = static_cast<size_t>(std::max<int16_t>(run.Emitters, 0));
  const auto attractors = static_cast<size_t>(std::max<int16_t>(run.Attractors, 0));
  const auto stars = static_cast<size_t>(std::max<int16_t>(run.Pixels, 0));
  for (auto* table : {&emitterX, &emitterY, &emitterZ}) table->assign(emitters, 0.0f);
  for (auto* table : {&attractorX, &attractorY, &attractorZ, &attractorMass}) table->assign(attractors, 0.0f);
  for (auto* table : {&x, &y, &z, &vx, &vy, &vz, &previousSpeed}) table->assign(stars, 0.0f);
  alive.assign(stars, 0);
  if (ring) {
    const size_t slots = stars * static_cast<size_t>(std::max<int32_t>(run.TrailLength, 0));
    ringX.assign(slots, kNoPixel);
    ringY.assign(slots, 0);
    if (stereo) ringX2.assign(slots, kNoPixel);
  } else {
    for (auto* table : {&eraserX, &eraserY, &eraserZ, &eraserVX, &eraserVY, &eraserVZ}) table->assign(stars, 0.0f);
  }
}

bool DissolveStep(int32_t& refreshCounter, int32_t& activeCount, std::span<uint8_t> alive, int32_t pixels,
                  int32_t refresh) {
  const bool finished = AdvanceCycleFrame();
  if (refresh <= 0 && !finished) return false;
  if (refresh > 0 && refreshCounter < std::numeric_limits<int32_t>::max()) ++refreshCounter;
  if (refreshCounter < refresh && !finished) return false;
  // About a hundredth of the stars a frame, highest indices first.
  const int32_t lo = NearestInt32(static_cast<float>(activeCount - 1) - static_cast<float>(pixels) * 0.01f);
  for (int32_t i = activeCount - 1; i >= lo; --i) {
    if (i >= 0 && static_cast<size_t>(i) < alive.size()) {
      --activeCount;
      alive[static_cast<size_t>(i)] = 0;
    }
  }
  return activeCount == 0 && finished;
}

void DrawAttractors(Canvas& canvas, const StarField& field, int32_t radius) {
  if (radius <= 0) return;
  const Viewport& view = gViewport;
  for (size_t j = 0; j < field.attractorX.size(); ++j) {
    int32_t x = 0, y = 0;
    if (!RoundToInt32(view.ProjScale * field.attractorX[j] / field.attractorZ[j] + static_cast<float>(view.CentreX), x) ||
        !RoundToInt32(view.ProjScale * field.attractorY[j] / field.attractorZ[j] + static_cast<float>(view.CentreY), y))
      continue;
    const int64_t r = radius;
    constexpr int64_t lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
    if (x - r < lo || y - r < lo || x + r > hi || y + r > hi) continue;
    canvas.Ellipse(static_cast<int32_t>(x - r), static_cast<int32_t>(y - r), static_cast<int32_t>(x + r),
                   static_cast<int32_t>(y + r));
  }
}

void GravityLoop(const GravitySettings& run, bool stereo, const GravityLoopOptions& options) {
  // The callers hand over clamped settings; these would leave nothing to launch.
  if (run.Emitters < 1 || run.Pixels < 1 || run.TrailLength < 1) return;
  const bool ring = options.strategy == TrailStrategy::Auto
                        ? static_cast<int64_t>(run.Pixels) * run.TrailLength < 32001
                        : options.strategy == TrailStrategy::Ring;
  StarField field(run, ring, stereo);
  Canvas nowhere;  // with no surface the stars still move; every pixel is clipped
  Canvas& dc = gViewport.DrawDC ? *gViewport.DrawDC : nowhere;

  Drawing d;
  d.scale = gViewport.ProjScale;
  d.centreX = static_cast<float>(gViewport.CentreX);
  d.centreY = static_cast<float>(gViewport.CentreY);
  d.stereoSep = run.StereoSep;
  d.colorMult = static_cast<float>(run.ColorMult);
  d.hueStart = static_cast<float>(gColorSettings.HueStart);
  d.stereoHue = static_cast<float>(run.StereoHue);
  d.colorComp = run.ColorComp;
  d.stereo = stereo;

  for (;;) {
    GenerateField(field, run);
    while (field.activeCount > 0) {
      if (gState.Host) gState.FrameStartTick = gState.Host->Tick();
      DrawFrame(dc, field, run, d);
      if (options.afterFrame) options.afterFrame(field);
      if (PaceFrame()) return;
      if (gState.PreviewStopRequested) {
        gState.PreviewStopRequested = false;
        return;
      }
      if (gState.Mode == RunMode::Preview) WaitNextTick();
      if (DissolveStep(field.refreshCounter, field.activeCount, field.alive, run.Pixels, run.Refresh)) return;
    }
    ClearCanvas();
  }
}

}  // namespace pyxora
