#include "effects/splines/warp_sim.h"

#include <algorithm>
#include <bit>

#include "render/canvas.h"
#include "render/projection.h"
#include "render/random.h"
#include "render/viewport.h"

namespace pyxora {
namespace {

// Streaks this close to the eye's plane are neither drawn nor blanked.
constexpr float kNearestZ = 0.0001f;

bool SymmetricType(int16_t type) { return type >= 2; }

// Types 2 to 4 arrange their heads symmetrically; every head has its own row of points.
int HeadCount(const WarpRunValues& values) {
  return SymmetricType(values.type) ? SymmetricHeadCount(values.splines) : values.splines;
}

}  // namespace

WarpSim::WarpSim(const WarpRunValues& values, Canvas* canvas)
    : values_(values),
      canvas_(canvas),
      heads_(HeadCount(values), HeadCount(values), SymmetricType(values.type), values.steps) {
  values_.sparksPerSpline = std::max<int16_t>(values_.sparksPerSpline, 1);
  const int w = heads_.Count();
  values_.splines = static_cast<int16_t>(w);

  // Every row gets its points, though the symmetric types follow row 0 alone.
  heads_.Fill([this](float& x, float& y, float& z) { NewControlPoint(x, y, z); });
  heads_.Place(0);

  source_.resize(static_cast<size_t>(w));
  speed_.resize(source_.size());
  locked_.resize(source_.size());
  hueCounter_.assign(source_.size(), 0);
  for (int s = 0; s < w; ++s) {
    PickPixelColor(source_[s].color, source_[s].fixed, source_[s].hue);
    const float scale = (static_cast<float>(values_.sizeDev - 1) * Rnd() + 1.0f) * 0.002f;
    speed_[s] = values_.speed * scale;
    locked_[s] = Rnd() < values_.cyclePct / 100.0;
  }

  // Up to 999 x 999 slots: indices need 32 bits.
  const size_t slots = static_cast<size_t>(w) * static_cast<size_t>(values_.sparksPerSpline);
  slotWords_ = (static_cast<size_t>(values_.sparksPerSpline) + 63) / 64;
  slotBits_.assign(slotWords_ * source_.size(), 0);
  streaks_.assign(slots, Streak{});
  live_.assign(source_.size(), 0);
}

void WarpSim::NewControlPoint(float& x, float& y, float& z) const {
  x = 2.0f * Rnd() - 1.0f;
  y = 2.0f * Rnd() - 1.0f;
  z = 2.0f * Rnd() - 1.0f + gViewport.FocalLength;
}

int32_t WarpSim::StreaksInUse() const {
  int32_t count = 0;
  for (const uint64_t word : slotBits_) count += std::popcount(word);
  return count;
}

bool WarpSim::SlotInUse(size_t slotIndex) const {
  const size_t perSpline = static_cast<size_t>(values_.sparksPerSpline);
  const size_t slot = slotIndex % perSpline;
  return (slotBits_[slotIndex / perSpline * slotWords_ + slot / 64] >> (slot % 64)) & 1;
}

void WarpSim::DrawFrame() {
  if (values_.hueLock) globalHue_ = static_cast<int16_t>((globalHue_ + 1) % 360);
  heads_.Place();
  const size_t perSpline = static_cast<size_t>(values_.sparksPerSpline);
  for (int s = 0; s < heads_.Count(); ++s) {
    Streak fresh{};
    const int32_t rank = emitting_ ? Emit(s, fresh) : -1;
    // One pass in slot order updates the streaks in place and drops the finished ones,
    // the others closing up behind them; the new one is updated at its rank.
    Streak* first = streaks_.data() + static_cast<size_t>(s) * perSpline;
    // The next spline's records lie far from these, where the processor would not
    // look ahead by itself: they are asked for now, to arrive while this one is drawn.
    if (s + 1 < heads_.Count())
      for (int32_t n = 0; n < live_[s + 1]; ++n) __builtin_prefetch(first + perSpline + n, 1);
    const size_t slotBase = static_cast<size_t>(s) * perSpline;
    const int32_t live = live_[s];
    int32_t kept = 0, r = 0;
    auto step = [&] {
      Streak& k = first[r++];
      if (!Update(k, slotBase + k.slot)) return;
      if (kept != r - 1) first[kept] = k;
      ++kept;
    };
    while (r < (rank < 0 ? live : rank)) step();
    if (rank >= 0 && Update(fresh, slotBase + fresh.slot)) {
      if (kept < r) {
        first[kept++] = fresh;  // into the place of one that finished
      } else {
        // No place free before it: the ones after it are updated up to the first that
        // finishes, then move up into its place, while they are still in the cache.
        int32_t end = r;
        while (end < live && Update(first[end], slotBase + first[end].slot)) ++end;
        std::copy_backward(first + r, first + end, first + end + 1);
        first[r] = fresh;
        kept = end + 1;
        r = end + 1;
      }
    }
    while (r < live) step();
    live_[s] = kept;
  }
}

int32_t WarpSim::Emit(int s, Streak& k) {
  const int32_t slot = RandomIndex(values_.sparksPerSpline);
  uint64_t* bits = slotBits_.data() + static_cast<size_t>(s) * slotWords_;
  const uint64_t bit = uint64_t{1} << (slot % 64);
  if (bits[slot / 64] & bit) return -1;  // that slot is busy: this spline emits nothing this frame
  // Its place among the live streaks, which stay in slot order: after as many as there
  // are busy slots below it.
  int32_t rank = std::popcount(bits[slot / 64] & (bit - 1));
  for (int32_t w = 0; w < slot / 64; ++w) rank += std::popcount(bits[w]);
  bits[slot / 64] |= bit;
  k.slot = static_cast<uint16_t>(slot);
  k.headAlive = true;
  k.tailActive = false;
  k.age = 0;
  k.tailCountdown = values_.trailLen;

  const float f = gViewport.FocalLength;
  const float hx = heads_.X(s), hy = heads_.Y(s), hz = heads_.Z(s);
  const float speed = speed_[s];
  switch (values_.type) {
    case 1:
    case 3:  // from the head's mirror image through the z axis, across the axis toward the head
      k.x = -hx, k.y = -hy, k.z = hz;
      k.vx = hx * speed, k.vy = hy * speed, k.vz = 0;
      break;
    case 4:  // from half way between the centre and the head, outward
      k.x = (0 + hx) / 2, k.y = (0 + hy) / 2, k.z = (f + hz) / 2;
      k.vx = (hx - 0) * speed, k.vy = (hy - 0) * speed, k.vz = (hz - f) * speed;
      break;
    default:  // 0 and 2: out of the world centre toward the head
      k.x = 0, k.y = 0, k.z = f;
      k.vx = (hx - 0) * speed, k.vy = (hy - 0) * speed, k.vz = (hz - f) * speed;
      break;
  }
  k.tx = k.x, k.ty = k.y, k.tz = k.z;
  k.tvx = k.vx, k.tvy = k.vy, k.tvz = k.vz;

  if (locked_[s] && values_.hueLock) {
    k.color = HueWheel[globalHue_];
  } else if (locked_[s]) {
    hueCounter_[s] = static_cast<int16_t>((hueCounter_[s] + 1) % 360);
    k.color = HueWheel[hueCounter_[s]];
  } else {
    k.color = ResolveColor(source_[s]);
  }
  return rank;
}

bool WarpSim::Update(Streak& k, size_t slotIndex) {
  const Viewport& view = gViewport;
  const float damping = values_.dampingFactor;
  if (k.headAlive) {
    k.x += k.vx;
    k.y += k.vy;
    k.z += k.vz;
    if (k.age < INT16_MAX) ++k.age;  // only its arrival at trailLen matters
    const auto p = Project(view, k.x, k.y, k.z);
    bool kill = Rnd() > values_.persist;  // drawn for every live head, on or off the surface
    if (!p || p->x < 0 || p->x > view.Width || p->y < 0 || p->y > view.Height) kill = true;
    if (k.age == values_.trailLen || kill) k.tailActive = true;
    if (kill) {
      k.headAlive = false;
      k.tailCountdown = values_.trailLen;
    } else {
      if (k.z > kNearestZ) canvas_->SetPixel(p->x, p->y, k.color);
      k.vx *= damping;
      k.vy *= damping;
      k.vz *= damping;
    }
  }
  if (k.tailActive) {
    // The tail starts where the head did with the same velocity and the same damping,
    // so it blanks the head's pixels exactly, trailLen frames later.
    if (k.tz > kNearestZ)
      if (const auto q = Project(view, k.tx, k.ty, k.tz)) canvas_->SetPixel(q->x, q->y, 0);
    if (!k.headAlive && --k.tailCountdown <= 0) {
      k.tailActive = false;
      const size_t perSpline = static_cast<size_t>(values_.sparksPerSpline);
      const size_t slot = slotIndex % perSpline;
      slotBits_[slotIndex / perSpline * slotWords_ + slot / 64] &= ~(uint64_t{1} << (slot % 64));
      return false;
    }
    k.tx += k.tvx;
    k.ty += k.tvy;
    k.tz += k.tvz;
    k.tvx *= damping;
    k.tvy *= damping;
    k.tvz *= damping;
  }
  return true;
}

void WarpSim::AdvancePath() {
  heads_.Advance([this](float& x, float& y, float& z) { NewControlPoint(x, y, z); });
}

}  // namespace pyxora
