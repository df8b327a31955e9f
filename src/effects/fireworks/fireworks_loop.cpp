#include "effects/fireworks/fireworks_loop.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/numeric.h"
#include "effects/fireworks/fireworks_bursts.h"
#include "effects/fireworks/fireworks_patterns.h"
#include "effects/fireworks/fireworks_sounds.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/frame_host.h"
#include "render/pacing.h"
#include "render/random.h"
#include "render/random_vectors.h"
#include "render/saver_state.h"
#include "render/viewport.h"

namespace pyxora {
namespace {

constexpr float kNearPlane = 0.0001f;  // sparks at or behind it move but are not drawn
constexpr double kPi = 3.1415927;      // the single-precision value, as the ramps were built
constexpr float kQuarterTurn = 1.5707964f;
constexpr float kTenthTurn = 0.62831855f;
constexpr float kRadiansPerDegree = 0.017453292f;
constexpr float kTwisterTiny = 0.000000001f;

inline uint32_t Grey(uint32_t level) { return level | (level << 8) | (level << 16); }

// Gravity first, then drag.
inline void Fall(float& vx, float& vy, float& vz, float g, float drag) {
  vy += g;
  vx *= drag;
  vy *= drag;
  vz *= drag;
}
inline void Fall(FireSpark& p, float g, float drag) { Fall(p.VX, p.VY, p.VZ, g, drag); }
inline void Move(FireSpark& p) { p.X += p.VX, p.Y += p.VY, p.Z += p.VZ; }

// A fading grey trail spark steps down by the fade; below 0 it bounces back up.
inline void Fade(FireSpark& p, int16_t fade) {
  p.Colour = static_cast<uint32_t>(std::abs(static_cast<int32_t>(p.Colour) - fade));
}

inline void Erase(const FireworksRun& run, float x, float y, float z) {
  int32_t px = 0, py = 0;
  if (ProjectPoint(run, x, y, z, px, py)) run.dc.SetPixel(px, py, 0);
}

// Projects the spark; false when it is off screen (or cannot be placed at all).
inline bool PlaceOnScreen(const FireworksRun& run, const FireSpark& p, int32_t& px, int32_t& py) {
  return ProjectPoint(run, p.X, p.Y, p.Z, px, py) && OnScreen(run, px, py);
}

// The slots of a launch: never more than the shell owns.
inline int32_t LaunchSlots(const FireworksSettings& s) { return std::clamp<int32_t>(s.FireLaunchPixel, 0, s.FireSparks); }

void UpdateLaunch(FireworksRun& run, FireShell& sh, int32_t base, int i) {
  const FireworksSettings& s = run.s;
  if (sh.Age <= s.FireLaunchSteps) sh.X += sh.StepX, sh.Y += sh.StepY, sh.Z += sh.StepZ;
  const int32_t end = base + LaunchSlots(s);
  for (int32_t j = base; j < end; ++j) {
    FireSpark& p = run.sparks[static_cast<size_t>(j)];
    if (!p.Alive) continue;
    Erase(run, p.X, p.Y, p.Z);
    Move(p);
    int32_t px = 0, py = 0;
    bool shown = PlaceOnScreen(run, p, px, py);
    if (Rnd() > s.FireLaunchPersist || !shown) {
      if (sh.Age >= s.FireLaunchSteps) {
        p.Alive = false;
        --sh.SparkCount;
      } else {
        // Re-emitted at the rising shell, so the trail follows it all the way up.
        p.X = sh.X, p.Y = sh.Y, p.Z = sh.Z;
        p.Colour = 255;
        RandomSphereVector(p.VX, p.VY, p.VZ, s.FireLaunchRadius);
        shown = ProjectPoint(run, p.X, p.Y, p.Z, px, py);
      }
    }
    if (p.Alive) {
      if (shown) run.dc.SetPixel(px, py, Grey(p.Colour));
      Fade(p, run.trailFade);
      Fall(p, s.FireGravity, s.FireDamping);
    }
  }
  // Arrived and the trail is gone: burst where the shell stands (whatever the frame limit).
  if (sh.Age >= s.FireLaunchSteps && sh.SparkCount == 0) StartShell(run, i);
}

void UpdateStandard(FireworksRun& run, FireShell& sh, int32_t base, int i) {
  const FireworksSettings& s = run.s;
  const float g = s.FireGravity, drag = s.FireDamping;
  FireSpark* p = run.sparks.data() + base;
  FireSpark* const end = p + s.FireSparks;
  for (; p != end; ++p) {
    if (p->Alive) {
      Move(*p);
      ++p->Life;
      int32_t px = 0, py = 0;
      const bool shown = PlaceOnScreen(run, *p, px, py);
      const bool kill = Rnd() > s.FirePersist || !shown;
      if (p->Life == sh.TrailLength || kill) p->TailActive = true;
      if (kill) {
        p->Alive = false;
        p->TailCount = sh.TrailLength;
      } else {
        if (p->Z > kNearPlane) run.dc.SetPixel(px, py, p->Colour);
        Fall(*p, g, drag);
      }
    }
    if (p->TailActive) {
      // The eraser runs the spark's path TrailLength frames behind, blackening it.
      Erase(run, p->TailX, p->TailY, p->TailZ);
      if (!p->Alive && --p->TailCount <= 0) {
        p->TailActive = false;
        --sh.SparkCount;
      }
      p->TailX += p->TailVX, p->TailY += p->TailVY, p->TailZ += p->TailVZ;
      Fall(p->TailVX, p->TailVY, p->TailVZ, g, drag);
    }
  }
  if (sh.SparkCount <= 0) EndShell(run, i);
}

void UpdateScintillator(FireworksRun& run, FireShell& sh, int32_t base, int i) {
  const FireworksSettings& s = run.s;
  const float age = sh.Age;
  for (int32_t j = base; j <= base + s.FireSparks - sh.Stride; j += sh.Stride) {
    FireSpark& p = run.sparks[static_cast<size_t>(j)];
    if (!p.Alive) continue;
    int32_t px = 0, py = 0;
    if (ProjectPoint(run, p.X, p.Y, p.Z, px, py)) DrawScintillator(run.dc, run.focal, px, py, p.Z, sh.Stride, 0);
    Move(p);
    const bool shown = PlaceOnScreen(run, p, px, py);
    if (Rnd() * 1.5f > s.FirePersist + 0.5f || !shown) {
      p.Alive = false;
      --sh.SparkCount;
    } else if (age < Rnd() * (age + s.FirePersist * 40.0f)) {
      // It twinkles: shown (and slowed) on fewer frames as it ages.
      if (p.Z > kNearPlane) {
        DrawScintillator(run.dc, run.focal, px, py, p.Z, sh.Stride, p.Colour);
        p.Colour = run.scintRamp[static_cast<size_t>(ClampInt(sh.Age, 1, 99))];
      }
      Fall(p, s.FireGravity, s.FireDamping);
    }
  }
  if (sh.SparkCount <= 0) EndShell(run, i);
}

void UpdateMultiBurst(FireworksRun& run, FireShell& sh, int32_t base, int i) {
  const FireworksSettings& s = run.s;
  for (int32_t j = base; j <= base + s.FireSparks - sh.Stride; j += sh.Stride) {
    FireSpark& p = run.sparks[static_cast<size_t>(j)];
    if (!p.Alive) continue;
    int32_t px = 0, py = 0;
    if (ProjectPoint(run, p.X, p.Y, p.Z, px, py)) DrawMultiHead(run.dc, run.focal, px, py, p.Z, sh.Stride, 0);
    Move(p);
    if (PlaceOnScreen(run, p, px, py)) {
      if (p.Z > kNearPlane) {
        DrawMultiHead(run.dc, run.focal, px, py, p.Z, sh.Stride, p.Colour);
        p.Colour = run.multiRamp[static_cast<size_t>(ClampInt(sh.Age, 0, 99))];
      }
      Fall(p, s.FireGravity, s.FireDamping);
    } else {
      p.Alive = false;  // gone from view, but it still counts as a sub-shell slot
    }
  }
  if (sh.Age == s.FireMultiAge) SecondaryBurst(run, i, true);
}

// Jets and twisters: an invisible head per group streams the group's other slots.
void UpdateStreamers(FireworksRun& run, FireShell& sh, int32_t base, int i, bool jet) {
  const FireworksSettings& s = run.s;
  const float g = s.FireGravity, drag = s.FireDamping;
  const float persist = s.FireLaunchPersist;
  const float radius = jet ? s.FireBurstRadius : s.FireTwistRad;
  for (int32_t j = base; j <= base + s.FireSparks - sh.Stride; j += sh.Stride) {
    FireSpark& head = run.sparks[static_cast<size_t>(j)];
    float ex = 0, ey = 0, ez = 0;  // a twister's emitter
    int32_t px = 0, py = 0;
    if (head.Alive) {
      Move(head);
      const bool shown = PlaceOnScreen(run, head, px, py);
      const bool die = Rnd() > s.FirePersist && sh.Age >= s.FireBurstAge;
      if (die || !shown) {
        head.Alive = false;
      } else if (jet) {
        Fall(head, g, run.jetDamping);
      } else {
        // The emitter orbits the head, FireTwistExt out, square to its path; it reaches
        // that radius over the first tenth of a turn.
        float rx = 0, ry = 0, rz = 0;
        const float a = head.TailVX;
        RotateVector(head.X - head.TailX, head.Y - head.TailY, head.Z - head.TailZ, kQuarterTurn, a, rx, ry, rz);
        float m = s.FireTwistExt / (std::sqrt(rx * rx + ry * ry + rz * rz) + kTwisterTiny);
        if (a < kTenthTurn) m *= a / kTenthTurn;
        ex = head.X + rx * m, ey = head.Y + ry * m, ez = head.Z + rz * m;
        head.TailX = head.X, head.TailY = head.Y, head.TailZ = head.Z;
        head.TailVX = a + static_cast<float>(s.FireTwistDeg) * kRadiansPerDegree;
        Fall(head, g, drag);
      }
    }
    for (int32_t k = j + 1; k < j + sh.Stride; ++k) {
      FireSpark& p = run.sparks[static_cast<size_t>(k)];
      if (!p.Alive) continue;
      Erase(run, p.X, p.Y, p.Z);
      Move(p);
      bool shown = PlaceOnScreen(run, p, px, py);
      if (Rnd() > persist || !shown) {
        if (head.Alive) {
          if (jet) p.X = head.X, p.Y = head.Y, p.Z = head.Z, p.Colour = 255;
          else p.X = ex, p.Y = ey, p.Z = ez;
          RandomSphereVector(p.VX, p.VY, p.VZ, radius);
          shown = ProjectPoint(run, p.X, p.Y, p.Z, px, py);
        } else {
          p.Alive = false;
          --sh.SparkCount;
        }
      }
      if (!p.Alive) continue;
      if (shown && p.Z > kNearPlane) run.dc.SetPixel(px, py, jet ? Grey(p.Colour) : p.Colour);
      if (jet) Fade(p, run.trailFade);
      Fall(p, g, drag);
    }
  }
  if (sh.SparkCount > 0) return;
  if (!jet || run.limitReached) {
    EndShell(run, i);
  } else if (!s.FireBurstShell) {
    sh.Kind = kStandard;
    StartShell(run, i);
  } else {
    SecondaryBurst(run, i, false);
  }
}

void UpdateSparkler(FireworksRun& run, FireShell& sh, int32_t base, int i) {
  const FireworksSettings& s = run.s;
  for (int32_t j = base; j <= base + s.FireSparks - sh.Stride; j += sh.Stride) {
    FireSpark& p = run.sparks[static_cast<size_t>(j)];
    if (!p.Alive) continue;
    Erase(run, p.X, p.Y, p.Z);
    Move(p);
    int32_t px = 0, py = 0;
    if (PlaceOnScreen(run, p, px, py)) {
      if (p.Z > kNearPlane) run.dc.SetPixel(px, py, p.Colour);
      Fall(p, s.FireGravity, s.FireDamping);
    } else {
      p.Alive = false;
      --sh.SparkCount;
    }
  }
  if (sh.Age != s.FireSparkAge) return;
  if (sh.SparkCount < 1) {
    EndShell(run, i);
    return;
  }
  sh.Kind = kSparkling;
  for (int32_t j = base; j <= base + s.FireSparks - sh.Stride; j += sh.Stride) {
    const FireSpark& p = run.sparks[static_cast<size_t>(j)];
    if (p.Alive) Erase(run, p.X, p.Y, p.Z);
  }
}

void UpdateSparkling(FireworksRun& run, FireShell& sh, int32_t base, int i) {
  const FireworksSettings& s = run.s;
  const float age = sh.Age;
  for (int32_t j = base; j <= base + s.FireSparks - sh.Stride; j += sh.Stride) {
    FireSpark& p = run.sparks[static_cast<size_t>(j)];
    if (!p.Alive) continue;
    int32_t px = 0, py = 0;
    if (ProjectPoint(run, p.X, p.Y, p.Z, px, py)) DrawSparkle(run.dc, run.focal, s.FireSparkPix, px, py, p.Z, 0);
    Move(p);
    const bool shown = PlaceOnScreen(run, p, px, py);
    if (Rnd() * 2.0f > s.FirePersist + 1.0f || !shown) {
      p.Alive = false;
      --sh.SparkCount;
    } else if (age < Rnd() * (age + s.FirePersist * 100.0f)) {
      if (p.Z > kNearPlane) DrawSparkle(run.dc, run.focal, s.FireSparkPix, px, py, p.Z, p.Colour);
      Fall(p, s.FireGravity, s.FireDamping);
    }
  }
  if (sh.SparkCount <= 0) EndShell(run, i);
}

void UpdateDecayStars(FireworksRun& run, FireShell& sh, int32_t base, int i) {
  const FireworksSettings& s = run.s;
  for (int32_t j = base; j <= base + s.FireSparks - sh.Stride; j += sh.Stride) {
    FireSpark& p = run.sparks[static_cast<size_t>(j)];
    if (!p.Alive) continue;
    int32_t px = 0, py = 0;
    if (ProjectPoint(run, p.X, p.Y, p.Z, px, py))
      DrawDecayStar(run.dc, run.focal, run.decayMSize, px, py, p.Z, p.Life, 0);
    Move(p);
    if (p.Life != 0 && PlaceOnScreen(run, p, px, py)) {
      --p.Life;
      if (p.Z > kNearPlane) {
        DrawDecayStar(run.dc, run.focal, run.decayMSize, px, py, p.Z, p.Life, p.Colour);
        p.Colour = run.decayRamp[static_cast<size_t>(ClampInt(sh.Age, 1, 99))];
      }
      Fall(p, s.FireGravity, s.FireDamping);
    } else {
      p.Alive = false;
      --sh.SparkCount;
    }
  }
  if (sh.SparkCount <= 0) EndShell(run, i);
}

// Grey ramp c(n) = nearest(amplitude cos(pi/2 n / last) + offset) for n = 0..last.
void BuildRamp(std::array<uint32_t, 100>& ramp, int last, double amplitude, double offset) {
  for (int n = 0; n <= last && n < static_cast<int>(ramp.size()); ++n) {
    const double c = amplitude * std::cos(kPi / 2.0 * n / last) + offset;
    ramp[static_cast<size_t>(n)] = Grey(static_cast<uint32_t>(ClampValue(NearestInt32(c), 0, 255)));
  }
}

}  // namespace

FireworksRun::FireworksRun(const FireworksSettings& settings, Canvas& canvas) : s(settings), dc(canvas) {
  // The callers hand over normalised settings; these keep every table and division
  // defined for anything else.
  s.FireWorks = MaxInt(s.FireWorks, 1);
  s.FireSparks = MaxInt(MaxInt(s.FireSparks, s.FireMultiBurst), 1);
  s.FireSplineKnot = ClampInt(s.FireSplineKnot, 4, 99);
  s.FireRingEmb = MaxInt(s.FireRingEmb, 1);
  s.FireMultiAge = ClampInt(s.FireMultiAge, 1, 99);

  const Viewport& view = gViewport;
  cx = static_cast<float>(view.CentreX);
  cy = static_cast<float>(view.CentreY);
  k = view.ProjScale;
  focal = view.FocalLength;
  width = view.Width;
  height = view.Height;

  const auto slots = static_cast<size_t>(s.FireWorks) * static_cast<size_t>(s.FireSparks);
  sparks.assign(slots + 1, FireSpark{});
  shells.assign(static_cast<size_t>(s.FireWorks), FireShell{});
  centres.assign(static_cast<size_t>(s.FireSparks) + 1, Centre{});
  for (auto* knots : {&knotX, &knotY, &knotZ}) knots->assign(static_cast<size_t>(s.FireSplineKnot) + 1, 0.0f);
  ringA.assign(static_cast<size_t>(s.FireRingEmb), 0.0f);
  ringB.assign(static_cast<size_t>(s.FireRingEmb), 0.0f);

  jetDamping = 1.0f - (1.0f - s.FireDamping) * 0.2f;
  decayMSize = s.FireDecayMSize * focal / static_cast<float>(MaxInt(s.FireDecayMLife, 1)) * 0.01f;
  trailFade = ClampInt(NearestInt16((1.0f - s.FireLaunchPersist) * 50.0f, 1), 1, 50);
  BuildRamp(multiRamp, s.FireMultiAge, 167, 88);
  BuildRamp(scintRamp, 99, 255, 0);
  BuildRamp(decayRamp, ClampInt(s.FireDecayMLife, 1, 99), 255, 0);
}

void StartShell(FireworksRun& run, int i) {
  const FireworksSettings& s = run.s;
  FireShell& sh = run.shells[static_cast<size_t>(i)];
  const float edgeX = run.cx / run.k, edgeY = run.cy / run.k;  // the screen edges at depth 1
  if (sh.Kind != kRising) {
    sh.X = (Rnd() * 1.8f - 0.9f) * edgeX;
    sh.Y = (Rnd() * 1.5f - 0.9f) * edgeY;
    sh.Z = Rnd() * 0.3f + 0.9f;
  }
  sh.Age = 0;
  const bool launch = Rnd() * 100.0f < static_cast<float>(s.FireLaunchPct) && sh.Kind == kStandard;
  if (!launch) {
    SetUpBurst(run, i);
    return;
  }

  // Rise in a straight line from the bottom edge to the burst point.
  const int32_t slots = LaunchSlots(s);
  const float steps = static_cast<float>(MaxInt(s.FireLaunchSteps, 1));
  sh.Kind = kRising;
  sh.TrailLength = 1;
  sh.SparkCount = static_cast<int16_t>(slots);
  sh.Stride = static_cast<int16_t>(MaxLng(1, s.FireSparks / MaxLng(slots, 1)));
  const float x0 = ClampSng(sh.X + Rnd() * 0.25f - 0.125f, -0.9f, 0.9f) * edgeX;
  sh.StepX = (sh.X - x0) / steps;
  sh.X = x0;
  sh.Y = (Rnd() * 1.2f - 0.9f) * edgeY;
  sh.StepY = (sh.Y - edgeY) / steps;
  sh.Y = edgeY;
  sh.StepZ = (sh.Z - 1.0f) / steps;
  sh.Z = 1.0f;
  PickPixelColor();  // drawn for every shell, though a rising one shows only its grey trail
  PlayFireSound(kSoundLaunch);
  const int32_t base = i * s.FireSparks;
  for (int32_t j = base; j < base + slots; ++j) {
    FireSpark& p = run.sparks[static_cast<size_t>(j)];
    p.X = sh.X, p.Y = sh.Y, p.Z = sh.Z;
    RandomSphereVector(p.VX, p.VY, p.VZ, s.FireLaunchRadius);
    p.Alive = true;
    p.Colour = 255;
  }
}

void EndShell(FireworksRun& run, int i) {
  FireShell& sh = run.shells[static_cast<size_t>(i)];
  if (run.limitReached) {
    // The host's frame limit: let the running shells finish, start no new one.
    sh.Kind = kRetired;
    --run.active;
    return;
  }
  sh.Kind = kStandard;
  StartShell(run, i);
}

void UpdateShell(FireworksRun& run, int i) {
  FireShell& sh = run.shells[static_cast<size_t>(i)];
  const int32_t base = i * run.s.FireSparks;
  switch (sh.Kind) {
    case kSparkling: UpdateSparkling(run, sh, base, i); break;
    case kRising: UpdateLaunch(run, sh, base, i); break;
    case kStandard: UpdateStandard(run, sh, base, i); break;
    case kScintillator: UpdateScintillator(run, sh, base, i); break;
    case kMultiBurst: UpdateMultiBurst(run, sh, base, i); break;
    case kJetBurst: UpdateStreamers(run, sh, base, i, true); break;
    case kSparkler: UpdateSparkler(run, sh, base, i); break;
    case kTwister: UpdateStreamers(run, sh, base, i, false); break;
    case kDecayStars: UpdateDecayStars(run, sh, base, i); break;
    default: break;  // retired
  }
}

void FireworksLoop(const FireworksSettings& settings, const FireworksLoopOptions& options) {
  Canvas nowhere;  // with no surface the sparks still move; every pixel is clipped
  FireworksRun run(settings, gViewport.DrawDC ? *gViewport.DrawDC : nowhere);
  const FireworksSettings& s = run.s;

  run.active = s.FireWorks;
  for (int i = 0; i < s.FireWorks; ++i) {
    run.shells[static_cast<size_t>(i)].Kind = kStandard;
    run.shells[static_cast<size_t>(i)].StartDelay = 0;
    StartShell(run, i);
  }
  // Shell i joins i * FireSparks / 32 frames after the start, so the shells do not burst together.
  const double delayPerShell = s.FireSparks / 32.0;
  while (run.active >= 1) {
    if (gState.Host) gState.FrameStartTick = gState.Host->Tick();
    run.limitReached = AdvanceCycleFrame();
    ++run.frame;
    for (int i = 0; i < s.FireWorks; ++i) {
      FireShell& sh = run.shells[static_cast<size_t>(i)];
      if (i * delayPerShell > sh.StartDelay) {
        ++sh.StartDelay;
        continue;
      }
      ++sh.Age;
      UpdateShell(run, i);
    }
    if (options.afterFrame) options.afterFrame(run);
    if (PaceFrame()) return;
    if (gState.PreviewStopRequested) {
      gState.PreviewStopRequested = false;
      return;
    }
    if (gState.Mode == RunMode::Preview) WaitNextTick();
  }
}

}  // namespace pyxora
