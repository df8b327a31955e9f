// The frame host of the real displays: a 32-bit millisecond tick from the steady
// clock, Qt's event processing as the pump, and a sleeping wait (a nested event loop
// ended by a precise timer or a stop request), so a waiting saver costs no CPU.
#pragma once

#include <QEventLoop>
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
  // How the preview's host window is checked; by default every window exists.
  void SetWindowCheck(std::function<bool(int64_t)> check) { windowCheck_ = std::move(check); }

 private:
  std::function<void()> presenter_;
  std::function<bool(int64_t)> windowCheck_;
  QEventLoop* waiting_ = nullptr;
};

// The process's host for the real displays.
QtFrameHost& DisplayFrameHost();

}  // namespace pyxora
