// The warp's simulation for one run: heads, per-spline colour and speed, and the
// streak pool with its eraser tails. The run loop in warp.cpp drives it frame by
// frame; tests drive it directly.
#pragma once

#include <cstdint>
#include <vector>

#include "base/huge_pages.h"
#include "effects/splines/spline_heads.h"
#include "render/colour.h"

namespace pyxora {

class Canvas;

// Parameters in simulation units, already clamped and converted.
struct WarpRunValues {
  int16_t splines = 100;  // before the symmetric adjustment of types 2 to 4
  int16_t sparksPerSpline = 35;
  int16_t trailLen = 10;
  int16_t steps = 300;
  float speed = 8;
  float persist = 0.98f;
  int16_t sizeDev = 1;
  float dampingFactor = 0.9925f;
  int16_t type = 4;  // 0..4
  int16_t cyclePct = 100;
  bool hueLock = false;
};

class WarpSim {
 public:
  // Control points, then per spline its colour triple, speed scale and lock.
  WarpSim(const WarpRunValues& values, Canvas* canvas);

  // One frame: the global hue, the heads, and per spline one emission and the update
  // of its streaks.
  void DrawFrame();
  // t advances by 1/S; after S frames the control points slide and t starts again at 0.
  void AdvancePath();

  // Test hook: with emission off the streaks in flight finish and no new ones start.
  void SetEmitting(bool on) { emitting_ = on; }
  int32_t StreaksInUse() const;

  const SplineHeads& Heads() const { return heads_; }
  int Splines() const { return heads_.Count(); }
  int16_t GlobalHue() const { return globalHue_; }

  // Per spline.
  std::vector<SourceColor> source_;
  std::vector<float> speed_;  // k: streak velocity per unit of head distance
  std::vector<uint8_t> locked_;
  std::vector<int16_t> hueCounter_;

  // One streak: its head and its eraser tail, in one cache line.
  struct alignas(64) Streak {
    float x, y, z, vx, vy, vz;  // the head
    float tx, ty, tz, tvx, tvy, tvz;  // the eraser tail
    uint32_t color;
    int16_t age, tailCountdown;
    uint16_t slot;  // its place among its spline's sparksPerSpline slots
    bool headAlive, tailActive;
  };
  // Emission picks a random slot of its spline and emits nothing when that slot is busy.
  bool SlotInUse(size_t slotIndex) const;
  // The live streaks of each spline, packed at the start of its region of
  // sparksPerSpline records in the order of their slots: a frame updates them in
  // slot order, as the pool has always been walked, but reads a few kilobytes in a
  // row per spline instead of single cache lines scattered over 64 MB.
  std::vector<Streak, HugePageAllocator<Streak>> streaks_;
  std::vector<int32_t> live_;  // per spline

  // Every live streak with its slot index (spline * sparksPerSpline + slot), in update order.
  template <class Visit>
  void ForEachLiveStreak(Visit&& visit) const {
    const size_t perSpline = static_cast<size_t>(values_.sparksPerSpline);
    for (size_t s = 0; s < live_.size(); ++s)
      for (int32_t n = 0; n < live_[s]; ++n) {
        const Streak& k = streaks_[s * perSpline + static_cast<size_t>(n)];
        visit(s * perSpline + k.slot, k);
      }
  }

 private:
  void NewControlPoint(float& x, float& y, float& z) const;
  // A new streak for spline s in k, and its rank among the spline's live streaks;
  // -1 when the slot picked is busy.
  int32_t Emit(int s, Streak& k);
  // Moves and draws one streak; false once it has finished and its slot is free.
  bool Update(Streak& k, size_t slotIndex);

  WarpRunValues values_;
  Canvas* canvas_;
  // One bit per slot, a row of words per spline: which slots hold a live streak, and
  // (counting the bits below a slot) where a new streak goes among the packed ones.
  std::vector<uint64_t> slotBits_;
  size_t slotWords_ = 0;  // per spline
  SplineHeads heads_;
  int16_t globalHue_ = 0;
  bool emitting_ = true;
};

}  // namespace pyxora
