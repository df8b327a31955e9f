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

bool SymmetricType(int16_t type) { return type >= 2; }

// Types 2 to 4 arrange their heads symmetrically; every head has its own row of points.
int HeadCount(const WarpRunValues& values) {
  return SymmetricType(values.type) ? SymmetricHeadCount(values.splines) : values.splines;
}

}  // namespace

WarpSim::WarpSim(const WarpRunValues& values, Canvas* canvas)
    : values_(values),
      canvas_(canvas),
      heads_(HeadCount(values), HeadCount(values), SymmetricType(values.type)) {
  values_.steps = std::max<int16_t>(values_.steps, 1);
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
  Streaks& k = streaks_;
  for (auto* column : {&k.x, &k.y, &k.z, &k.vx, &k.vy, &k.vz, &k.tx, &k.ty, &k.tz, &k.tvx, &k.tvy, &k.tvz})
    column->assign(slots, 0.0f);
  k.inUse.assign(slots, 0);
  k.headAlive.assign(slots, 0);
  k.tailActive.assign(slots, 0);
  k.age.assign(slots, 0);
  k.tailCountdown.assign(slots, 0);
  k.color.assign(slots, 0);
}

void WarpSim::NewControlPoint(float& x, float& y, float& z) const {
  x = 2.0f * Rnd() - 1.0f;
  y = 2.0f * Rnd() - 1.0f;
  z = 2.0f * Rnd() - 1.0f + gViewport.FocalLength;
}

int32_t WarpSim::StreaksInUse() const {
  return static_cast<int32_t>(std::count(streaks_.inUse.begin(), streaks_.inUse.end(), uint8_t{1}));
}

void WarpSim::DrawFrame() {
  if (values_.hueLock) globalHue_ = static_cast<int16_t>((globalHue_ + 1) % 360);
  heads_.Place(t_);
  const int32_t perSpline = values_.sparksPerSpline;
  for (int s = 0; s < heads_.Count(); ++s) {
    if (emitting_) Emit(s);
    const int32_t first = s * perSpline;
    for (int32_t i = first; i < first + perSpline; ++i)
      if (streaks_.inUse[i]) Update(i);
  }
}

void WarpSim::Emit(int s) {
  const int32_t i = s * static_cast<int32_t>(values_.sparksPerSpline) + RandomIndex(values_.sparksPerSpline);
  Streaks& k = streaks_;
  if (k.inUse[i]) return;  // that slot is busy: this spline emits nothing this frame
  k.inUse[i] = k.headAlive[i] = 1;
  k.tailActive[i] = 0;
  k.age[i] = 0;
  k.tailCountdown[i] = values_.trailLen;

  const float f = gViewport.FocalLength;
  const float hx = heads_.X(s), hy = heads_.Y(s), hz = heads_.Z(s);
  const float speed = speed_[s];
  switch (values_.type) {
    case 1:
    case 3:  // from the head's mirror image through the z axis, across the axis toward the head
      k.x[i] = -hx, k.y[i] = -hy, k.z[i] = hz;
      k.vx[i] = hx * speed, k.vy[i] = hy * speed, k.vz[i] = 0;
      break;
    case 4:  // from half way between the centre and the head, outward
      k.x[i] = (0 + hx) / 2, k.y[i] = (0 + hy) / 2, k.z[i] = (f + hz) / 2;
      k.vx[i] = (hx - 0) * speed, k.vy[i] = (hy - 0) * speed, k.vz[i] = (hz - f) * speed;
      break;
    default:  // 0 and 2: out of the world centre toward the head
      k.x[i] = 0, k.y[i] = 0, k.z[i] = f;
      k.vx[i] = (hx - 0) * speed, k.vy[i] = (hy - 0) * speed, k.vz[i] = (hz - f) * speed;
      break;
  }
  k.tx[i] = k.x[i], k.ty[i] = k.y[i], k.tz[i] = k.z[i];
  k.tvx[i] = k.vx[i], k.tvy[i] = k.vy[i], k.tvz[i] = k.vz[i];

  if (locked_[s] && values_.hueLock) {
    k.color[i] = HueWheel[globalHue_];
  } else if (locked_[s]) {
    hueCounter_[s] = static_cast<int16_t>((hueCounter_[s] + 1) % 360);
    k.color[i] = HueWheel[hueCounter_[s]];
  } else {
    k.color[i] = ResolveColor(source_[s]);
  }
}

void WarpSim::Update(int32_t i) {
  const Viewport& view = gViewport;
  const float damping = values_.dampingFactor;
  Streaks& k = streaks_;
  if (k.headAlive[i]) {
    k.x[i] += k.vx[i];
    k.y[i] += k.vy[i];
    k.z[i] += k.vz[i];
    if (k.age[i] < INT16_MAX) ++k.age[i];  // only its arrival at trailLen matters
    const auto p = Project(view, k.x[i], k.y[i], k.z[i]);
    bool kill = Rnd() > values_.persist;  // drawn for every live head, on or off the surface
    if (!p || p->x < 0 || p->x > view.Width || p->y < 0 || p->y > view.Height) kill = true;
    if (k.age[i] == values_.trailLen || kill) k.tailActive[i] = 1;
    if (kill) {
      k.headAlive[i] = 0;
      k.tailCountdown[i] = values_.trailLen;
    } else {
      if (k.z[i] > kNearestZ) canvas_->SetPixel(p->x, p->y, k.color[i]);
      k.vx[i] *= damping;
      k.vy[i] *= damping;
      k.vz[i] *= damping;
    }
  }
  if (k.tailActive[i]) {
    // The tail starts where the head did with the same velocity and the same damping,
    // so it blanks the head's pixels exactly, trailLen frames later.
    if (k.tz[i] > kNearestZ)
      if (const auto q = Project(view, k.tx[i], k.ty[i], k.tz[i])) canvas_->SetPixel(q->x, q->y, 0);
    if (!k.headAlive[i] && --k.tailCountdown[i] <= 0) {
      k.tailActive[i] = 0;
      k.inUse[i] = 0;
    }
    k.tx[i] += k.tvx[i];
    k.ty[i] += k.tvy[i];
    k.tz[i] += k.tvz[i];
    k.tvx[i] *= damping;
    k.tvy[i] *= damping;
    k.tvz[i] *= damping;
  }
}

void WarpSim::AdvancePath() {
  t_ = static_cast<float>(t_ + 1.0 / values_.steps);
  if (++step_ < values_.steps) return;
  step_ = 0;
  t_ = 0;
  heads_.Slide([this](float& x, float& y, float& z) { NewControlPoint(x, y, z); });
}

}  // namespace pyxora
