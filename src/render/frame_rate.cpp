#include "render/frame_rate.h"

#include <cstdio>

namespace pyxora {

void FrameRateCounter::CountFrame(uint32_t tick) {
  if (!started_) {
    started_ = true;
    periodStart_ = tick;
    frames_ = 0;
    return;
  }
  ++frames_;
  const uint32_t elapsed = tick - periodStart_;  // unsigned: a tick wrap is a short time
  if (elapsed < kPeriodMs) return;
  rate_ = frames_ * 1000.0 / elapsed;
  periodStart_ = tick;
  frames_ = 0;
}

std::string FrameRateCounter::Text() const {
  char text[32];
  std::snprintf(text, sizeof text, "FPS: %.1f", rate_);
  return text;
}

}  // namespace pyxora
