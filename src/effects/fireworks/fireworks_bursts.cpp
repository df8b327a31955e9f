#include "effects/fireworks/fireworks_bursts.h"

#include <algorithm>
#include <cmath>

#include "base/numeric.h"
#include "effects/fireworks/fireworks_patterns.h"
#include "effects/fireworks/fireworks_sounds.h"
#include "render/bspline.h"
#include "render/colour.h"
#include "render/random.h"
#include "render/random_vectors.h"

namespace pyxora {
namespace {

constexpr float kSizeUnit = 0.0025f;   // a burst's size factor per unit of FireSizeDev
constexpr float kTwoPi = 6.2831855f;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kTrailGrey = 255;   // launch and jet trail sparks start white

// Int(v): the whole number at or below v.
inline int32_t Floor(float v) { return static_cast<int32_t>(std::floor(v)); }
inline float Sign(float v) { return v > 0 ? 1.0f : (v < 0 ? -1.0f : 0.0f); }
// A group of `count` slots out of `slots`, never empty, so the divisions below stay defined.
inline int16_t GroupSize(int16_t slots, int16_t count) { return MaxInt(1, static_cast<int16_t>(slots / MaxInt(count, 1))); }

// The trail length of a standard burst: Int(Rnd FireLength) + max(1, nearest(ln FireLength)).
int16_t StandardTrailLength(const FireworksSettings& s) {
  const int16_t least = MaxInt(1, NearestInt16(std::log(static_cast<double>(s.FireLength)), 1));
  return static_cast<int16_t>(Floor(Rnd() * static_cast<float>(s.FireLength)) + least);
}

inline void ArmEraser(FireSpark& p) {
  p.TailX = p.X, p.TailY = p.Y, p.TailZ = p.Z;
  p.TailVX = p.VX, p.TailVY = p.VY, p.TailVZ = p.VZ;
  p.Life = 0;
  p.TailActive = false;
}

inline void EmitAtCentre(FireworksRun& run, FireSpark& p, const FireShell& sh, BurstSpread spread, float size) {
  p.X = sh.X, p.Y = sh.Y, p.Z = sh.Z;
  const float speed = SparkSpeed(run.s, size);
  SetSparkVelocity(run, p.VX, p.VY, p.VZ, p.X, p.Y, p.Z, speed, spread, size, false);
  p.Alive = true;
}

// Every slot of the ring burst: one of FireRingEmb bands round great circles of the
// sphere of speeds, each band FireRingDeg wide and turned its own way.
void SetUpRings(FireworksRun& run, const FireShell& sh, int32_t base, BurstSpread spread, float size,
                const SourceColor& colour) {
  const FireworksSettings& s = run.s;
  for (size_t n = 0; n < run.ringA.size(); ++n) {
    run.ringA[n] = Rnd() * kTwoPi;
    run.ringB[n] = Rnd() * kTwoPi;
  }
  const double band = 1000.0 * (static_cast<double>(s.FireRingDeg) / 180.0);
  const auto rings = static_cast<int32_t>(run.ringA.size());
  for (int32_t j = base; j < base + s.FireSparks; ++j) {
    FireSpark& p = run.sparks[static_cast<size_t>(j)];
    p.X = sh.X, p.Y = sh.Y, p.Z = sh.Z;
    if (spread.mode == kSpreadSpline) {
      SplineVelocity(run, p.VX, p.VY, p.VZ, p.X, p.Y, p.Z, size, false);
    } else {
      const int32_t n = std::min(Floor(Rnd() * static_cast<float>(rings)), rings - 1);
      const float speed = SparkSpeed(s, size);
      const auto b = ClampValue<int32_t>(static_cast<int32_t>(std::floor(band * (Rnd() - 0.5))) + 500, 0, 1000);
      const int32_t a = NearestInt32(Rnd() * 1000.0f);
      const float side = Sign(Rnd() - 0.5f);
      RotateVector(speed * CosTable[a] * SinTable[b], side * speed * SinTable[a] * SinTable[b], speed * CosTable[b],
                   run.ringA[n], run.ringB[n], p.VX, p.VY, p.VZ);
    }
    ArmEraser(p);
    p.Alive = true;
    p.Colour = ResolveColor(colour);
  }
}

}  // namespace

int16_t ChooseBurstKind(const FireworksSettings& s, float r) {
  const int16_t percents[] = {s.FireScintPct, s.FireMultiPct, s.FireBurstPct, s.FireSparkPct,
                              s.FireRingPct,  s.FireTwistPct, s.FireDecayPct};
  constexpr int16_t kinds[] = {kScintillator, kMultiBurst, kJetBurst, kSparkler, kRingBurst, kTwister, kDecayStars};
  int32_t sum = 0;  // wider than the documented 16 bits: the same for any clamped percentages
  for (size_t k = 0; k < std::size(kinds); ++k) {
    sum += percents[k];
    if (static_cast<float>(sum) > r) return kinds[k];
  }
  return kStandard;
}

BurstSpread ChooseSpread(const FireworksSettings& s) {
  const float r = Rnd() * 100.0f;
  BurstSpread spread;
  if (static_cast<float>(s.FireSplinePct) > r) {
    spread.mode = kSpreadSpline;
  } else if (static_cast<float>(static_cast<int32_t>(s.FireSplinePct) + s.FirePatternPct) > r) {
    spread.mode = kSpreadSolid;
    spread.pattern = static_cast<int16_t>(std::min(Floor(Rnd() * 4.0f), 3));
  }
  return spread;
}

float SparkSpeed(const FireworksSettings& s, float size) {
  return ((1.0f - s.FireSymmetry) * Rnd() + s.FireSymmetry) * s.FireSpeed * size;
}

void SetSparkVelocity(FireworksRun& run, float& vx, float& vy, float& vz, float x, float y, float z, float speed,
                      BurstSpread spread, float size, bool half) {
  switch (spread.mode) {
    case kSpreadSpline:
      SplineVelocity(run, vx, vy, vz, x, y, z, size, half);
      break;
    case kSpreadSolid:
      PatternVelocity(run.s, vx, vy, vz, spread.pattern, size);
      break;
    default:
      RandomSphereVector(vx, vy, vz, speed);
  }
}

void BuildSplineKnots(FireworksRun& run, float x, float y, float z) {
  const int32_t last = static_cast<int32_t>(run.knotX.size()) - 1;  // FireSplineKnot
  for (int32_t n = 0; n <= last - 3; ++n) {
    run.knotX[n] = Rnd() * 4.0f - 2.0f + x;
    run.knotY[n] = Rnd() * 4.0f - 2.0f + y;
    run.knotZ[n] = Rnd() * 4.0f - 2.0f + z;
  }
  for (int32_t n = 0; n < 3; ++n) {
    run.knotX[last - 2 + n] = run.knotX[n];
    run.knotY[last - 2 + n] = run.knotY[n];
    run.knotZ[last - 2 + n] = run.knotZ[n];
  }
}

void SplineVelocity(const FireworksRun& run, float& vx, float& vy, float& vz, float x, float y, float z, float size,
                    bool half) {
  const int32_t segments = static_cast<int32_t>(run.knotX.size()) - 3;  // FireSplineKnot - 2
  const int32_t s = std::min(Floor(Rnd() * static_cast<float>(segments)), segments - 1);
  const float t = Rnd();
  const auto& kx = run.knotX;
  const auto& ky = run.knotY;
  const auto& kz = run.knotZ;
  float px = 0, py = 0, pz = 0;
  BSplinePoint(px, py, pz, t, kx[s], ky[s], kz[s], kx[s + 1], ky[s + 1], kz[s + 1], kx[s + 2], ky[s + 2], kz[s + 2],
               kx[s + 3], ky[s + 3], kz[s + 3]);
  const float f = run.s.FireSpeed * size * (half ? 0.5f : 1.0f);
  vx = (px - x) * f;
  vy = (py - y) * f;
  vz = (pz - z) * f;
}

void PatternVelocity(const FireworksSettings& s, float& vx, float& vy, float& vz, int16_t pattern, float size) {
  const float h = SparkSpeed(s, size) * 0.6666f;
  const float w = 2.0f * h;
  auto u = [&] { return Rnd() * w - h; };  // uniform in -h..h, a fresh draw each time
  vx = vy = vz = 0;
  switch (pattern) {
    case 0:
      switch (Floor(Rnd() * 6.0f)) {
        case 0: vx = h, vy = u(), vz = u(); break;
        case 1: vx = -h, vy = u(), vz = u(); break;
        case 2: vx = u(), vy = h, vz = u(); break;
        case 3: vx = u(), vy = -h, vz = u(); break;
        case 4: vx = u(), vy = u(), vz = h; break;
        default: vx = u(), vy = u(), vz = -h; break;
      }
      break;
    case 1:
    case 2: {
      vy = u();
      // A solid of no size (a burst of size 0) stays a point instead of dividing 0 by 0.
      const float taper = w == 0 ? 0.0f : (pattern == 1 ? h + vy : h - vy) / w;
      vx = u() * taper;
      vz = u() * taper;
      break;
    }
    case 3: {
      vy = Rnd() * 4.0f * h - w;
      const int32_t a = NearestInt32(Rnd() * 1000.0f);
      const float r = w - std::fabs(vy);
      vx = r * CosTable[a] * 0.5f;
      vz = Sign(Rnd() - 0.5f) * r * SinTable[a] * 0.5f;
      break;
    }
    default:
      break;
  }
}

void RotateVector(float x, float y, float z, float a, float b, float& rx, float& ry, float& rz) {
  const float t = z * std::cos(b) + x * std::sin(b);
  rx = x * std::cos(b) - z * std::sin(b);
  ry = t * std::sin(a) + y * std::cos(a);
  rz = t * std::cos(a) - y * std::sin(a);
}

void SetUpBurst(FireworksRun& run, int i) {
  const FireworksSettings& s = run.s;
  FireShell& sh = run.shells[static_cast<size_t>(i)];
  const int16_t kind = ChooseBurstKind(s, Rnd() * 100.0f);
  const BurstSpread spread = ChooseSpread(s);
  const float size = (static_cast<float>(s.FireSizeDev - 1) * Rnd() + 1.0f) * kSizeUnit;
  if (spread.mode == kSpreadSpline) BuildSplineKnots(run, sh.X, sh.Y, sh.Z);
  const SourceColor colour = PickPixelColor();
  const int32_t base = i * s.FireSparks;
  const int32_t end = base + s.FireSparks;  // one past the shell's last slot
  auto slot = [&](int32_t j) -> FireSpark& { return run.sparks[static_cast<size_t>(j)]; };

  sh.Kind = kind;
  sh.TrailLength = 1;
  switch (kind) {
    case kStandard:
      sh.Stride = 1;
      sh.SparkCount = s.FireSparks;
      sh.TrailLength = StandardTrailLength(s);
      PlayFireSound(kSoundStandard);
      for (int32_t j = base; j < end; ++j) {
        EmitAtCentre(run, slot(j), sh, spread, size);
        ArmEraser(slot(j));
        slot(j).Colour = ResolveColor(colour);
      }
      break;
    case kRingBurst:
      sh.Stride = 1;
      sh.SparkCount = s.FireSparks;
      sh.TrailLength = StandardTrailLength(s);
      PlayFireSound(kSoundRingDisk);
      SetUpRings(run, sh, base, spread, size, colour);
      sh.Kind = kStandard;  // from here on a ring burst is a standard burst
      break;
    case kScintillator:
    case kMultiBurst: {
      sh.Stride = kind == kScintillator ? static_cast<int16_t>(Floor(Rnd() * s.FireScintStyle) * 4 + 5)
                                        : GroupSize(s.FireSparks, s.FireMultiBurst);
      sh.SparkCount = static_cast<int16_t>(s.FireSparks / sh.Stride);
      PlayFireSound(kind == kScintillator ? kSoundScintillator : kSoundMultiBurst);
      for (int32_t j = base; j <= end - sh.Stride; j += sh.Stride) {
        EmitAtCentre(run, slot(j), sh, spread, size);
        slot(j).Colour = kWhite;
      }
      break;
    }
    case kSparkler:
    case kDecayStars: {
      sh.Stride = kind == kSparkler ? MaxInt(s.FireSparkPix, 1) : GroupSize(s.FireSparks, s.FireDecayCnt);
      sh.SparkCount = static_cast<int16_t>(s.FireSparks / sh.Stride);
      PlayFireSound(kind == kSparkler ? kSoundSparkler : kSoundDecayStar);
      for (int32_t j = base; j <= end - sh.Stride; j += sh.Stride) {
        FireSpark& p = slot(j);
        EmitAtCentre(run, p, sh, spread, size);
        ArmEraser(p);
        if (kind == kSparkler) {
          p.Colour = ResolveColor(colour);
        } else {
          p.Life = static_cast<int16_t>(Floor(Rnd() * static_cast<float>(s.FireDecayMLife - 5)) + 5);
          p.Colour = kWhite;
        }
      }
      break;
    }
    case kJetBurst:
    case kTwister: {
      const bool jet = kind == kJetBurst;
      sh.Stride = GroupSize(s.FireSparks, jet ? s.FireBurstCount : s.FireTwistCnt);
      sh.SparkCount = static_cast<int16_t>((s.FireSparks / sh.Stride) * (sh.Stride - 1));
      PlayFireSound(jet ? kSoundJetBurst : kSoundTwister);
      for (int32_t j = base; j <= end - sh.Stride; j += sh.Stride) {
        FireSpark& head = slot(j);
        const float speed = jet ? s.FireSpeed * size * (((1.0f - s.FireSymmetry) * Rnd() + s.FireSymmetry) * 0.5f + 0.25f)
                                : SparkSpeed(s, size);
        SetSparkVelocity(run, head.VX, head.VY, head.VZ, sh.X, sh.Y, sh.Z, speed, spread, size, true);
        head.X = sh.X + head.VX, head.Y = sh.Y + head.VY, head.Z = sh.Z + head.VZ;  // one step out
        head.Alive = true;
        if (!jet) {
          head.TailX = sh.X, head.TailY = sh.Y, head.TailZ = sh.Z;  // the previous head position
          head.TailVX = 0;                                          // the emitter angle
        }
        for (int32_t k = j + 1; k < j + sh.Stride; ++k) {
          FireSpark& p = slot(k);
          p.X = head.X, p.Y = head.Y, p.Z = head.Z;
          RandomSphereVector(p.VX, p.VY, p.VZ, jet ? s.FireBurstRadius : s.FireTwistRad);
          p.Alive = true;
          p.Colour = jet ? kTrailGrey : ResolveColor(colour);
        }
      }
      break;
    }
    default:
      break;
  }
}

void SecondaryBurst(FireworksRun& run, int i, bool fromMulti) {
  const FireworksSettings& s = run.s;
  FireShell& sh = run.shells[static_cast<size_t>(i)];
  const int32_t base = i * s.FireSparks;
  const int32_t end = base + s.FireSparks;
  int32_t count = 0;
  for (int32_t j = base; j <= end - sh.Stride; j += sh.Stride) {
    const FireSpark& head = run.sparks[static_cast<size_t>(j)];
    int32_t px = 0, py = 0;
    const bool placed = ProjectPoint(run, head.X, head.Y, head.Z, px, py);
    if (fromMulti) {
      if (!head.Alive) continue;
      run.centres[static_cast<size_t>(count++)] = {head.X, head.Y, head.Z, head.VX, head.VY, head.VZ};
      if (placed) DrawMultiHead(run.dc, run.focal, px, py, head.Z, sh.Stride, 0);
    } else if (placed && px > 0 && px < run.width && py > 0 && py < run.height) {
      run.centres[static_cast<size_t>(count++)] = {head.X, head.Y, head.Z, 0, 0, 0};
    }
  }
  if (count == 0) {
    // Nothing left to burst from: the shell has ended.
    EndShell(run, i);
    return;
  }

  sh.Age = 0;
  sh.Kind = kStandard;
  sh.Stride = 1;
  sh.SparkCount = s.FireSparks;
  sh.TrailLength = static_cast<int16_t>(Floor(Rnd() * static_cast<float>(s.FireLength)) + 1);
  // More sub-shells make smaller bursts.
  const double shrink = 1.0 - std::log(static_cast<double>(s.FireMultiBurst)) / std::log(static_cast<double>(s.FireSparks));
  const auto size = static_cast<float>(shrink * shrink * kSizeUnit);
  const BurstSpread spread = ChooseSpread(s);
  if (spread.mode == kSpreadSpline) BuildSplineKnots(run, sh.X, sh.Y, sh.Z);
  const SourceColor colour = PickPixelColor();
  PlayFireSound(kSoundStandard);
  for (int32_t j = base; j < end; ++j) {
    FireSpark& p = run.sparks[static_cast<size_t>(j)];
    const int32_t k = std::min(Floor(Rnd() * static_cast<float>(count)), count - 1);
    const FireworksRun::Centre& c = run.centres[static_cast<size_t>(k)];
    p.X = c.x, p.Y = c.y, p.Z = c.z;
    switch (spread.mode) {
      case kSpreadSpline:
        SplineVelocity(run, p.VX, p.VY, p.VZ, c.x, c.y, c.z, size, false);
        break;
      case kSpreadSolid:
        PatternVelocity(s, p.VX, p.VY, p.VZ, spread.pattern, size);
        break;
      default:
        RandomSphereVector(p.VX, p.VY, p.VZ, SparkSpeed(s, size));
    }
    if (s.FireMultiMoment) p.VX += c.vx, p.VY += c.vy, p.VZ += c.vz;
    ArmEraser(p);
    p.Alive = true;
    p.Colour = ResolveColor(colour);
  }
}

}  // namespace pyxora
