// The frame host of the real displays: a 32-bit millisecond tick from the steady
// clock, Qt's event processing as the pump, and a sleeping wait (a nested event loop
// ended by a precise timer or a stop request), so a waiting saver costs no CPU.
#pragma once

#include <QEventLoop>
#include <chrono>
#include <functional>

#include "render/frame_host.h"

namespace pyxora {

class QtFrameHost : public FrameHost {
 public:
  uint32_t Tick() override;
  void ProcessEvents() override;
  void WaitForEvents(uint32_t milliseconds) override;
  void PresentFrame() override;
  bool WindowExists(int64_t windowId) override;
  void Wake() override;

  // What presenting a frame means for the current display.
  void SetPresenter(std::function<void()> presenter) { presenter_ = std::move(presenter); }
  const std::function<void()>& Presenter() const { return presenter_; }
  // How the preview's host window is checked; by default every window exists.
  void SetWindowCheck(std::function<bool(int64_t)> check) { windowCheck_ = std::move(check); }
  // The time since the last call that was not spent waiting or handling events:
  // what drawing the frame cost.
  std::chrono::nanoseconds TakeBusyTime(std::chrono::steady_clock::time_point now);

 private:
  std::function<void()> presenter_;
  std::function<bool(int64_t)> windowCheck_;
  QEventLoop* waiting_ = nullptr;
  std::chrono::steady_clock::time_point busySince_{};
  std::chrono::nanoseconds waited_{0};
};

// The process's host for the real displays.
QtFrameHost& DisplayFrameHost();

}  // namespace pyxora
