// The frame-rate readout of the hack (-fps): frames counted as they are shown, the
// rate renewed about once a second so the digits can be read.
#pragma once

#include <cstdint>
#include <string>

namespace pyxora {

class FrameRateCounter {
 public:
  // One frame shown at `tick` (milliseconds, wrapping like the frame tick).
  void CountFrame(uint32_t tick);
  // Frames per second over the last measuring period of a second or more; 0 before.
  double Rate() const { return rate_; }
  // "FPS: 24.9"
  std::string Text() const;

 private:
  static constexpr uint32_t kPeriodMs = 1000;
  bool started_ = false;
  uint32_t periodStart_ = 0;
  int32_t frames_ = 0;
  double rate_ = 0;
};

}  // namespace pyxora
