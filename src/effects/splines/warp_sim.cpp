#include "effects/splines/warp_sim.h"

#include <algorithm>

#include "render/canvas.h"
#include "render/projection.h"
#include "render/random.h"
#include "render/viewport.h"

namespace pyxora {
namespace {

// Streaks this close to the eye's plane are neither drawn nor blanked.
constexpr float kNearestZ = 0.0001f;

// How far ahead of the update the next live streaks are fetched.
constexpr int32_t kPrefetchSlots = 64;

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
  inUse_.assign(slots, 0);
  streaks_.assign(slots, Streak{});
}

void WarpSim::NewControlPoint(float& x, float& y, float& z) const {
  x = 2.0f * Rnd() - 1.0f;
  y = 2.0f * Rnd() - 1.0f;
  z = 2.0f * Rnd() - 1.0f + gViewport.FocalLength;
}

int32_t WarpSim::StreaksInUse() const {
  return static_cast<int32_t>(std::count(inUse_.begin(), inUse_.end(), uint8_t{1}));
}

void WarpSim::DrawFrame() {
  if (values_.hueLock) globalHue_ = static_cast<int16_t>((globalHue_ + 1) % 360);
  heads_.Place();
  const int32_t perSpline = values_.sparksPerSpline;
  const int32_t slots = static_cast<int32_t>(inUse_.size());
  for (int s = 0; s < heads_.Count(); ++s) {
    if (emitting_) Emit(s);
    const int32_t first = s * perSpline;
    const int32_t end = first + perSpline;
    for (int32_t i = first; i < end; ++i) {
      // Live streaks lie scattered over the pool: fetch one a little ahead while this
      // one is updated, or every update waits for memory.
      const int32_t ahead = i + kPrefetchSlots;
      if (ahead < slots && inUse_[ahead]) __builtin_prefetch(&streaks_[ahead], 1);
      if (inUse_[i]) Update(i);
    }
  }
}

void WarpSim::Emit(int s) {
  const int32_t i = s * static_cast<int32_t>(values_.sparksPerSpline) + RandomIndex(values_.sparksPerSpline);
  if (inUse_[i]) return;  // that slot is busy: this spline emits nothing this frame
  inUse_[i] = 1;
  Streak& k = streaks_[i];
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
}

void WarpSim::Update(int32_t i) {
  const Viewport& view = gViewport;
  const float damping = values_.dampingFactor;
  Streak& k = streaks_[i];
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
      inUse_[i] = 0;
    }
    k.tx += k.tvx;
    k.ty += k.tvy;
    k.tz += k.tvz;
    k.tvx *= damping;
    k.tvy *= damping;
    k.tvz *= damping;
  }
}

void WarpSim::AdvancePath() {
  heads_.Advance([this](float& x, float& y, float& z) { NewControlPoint(x, y, z); });
}

}  // namespace pyxora
