// The frame host of the Windows displays: GetTickCount as the tick, the thread's message
// queue as the event pump, and a wait that sleeps in MsgWaitForMultipleObjectsEx until
// the time is up or a message arrives, so a waiting saver costs no CPU.
#pragma once

#include <windows.h>

#include <functional>

#include "render/frame_host.h"

namespace pyxora {

class WinFrameHost : public FrameHost {
 public:
  uint32_t Tick() override;
  void ProcessEvents() override;
  void WaitForEvents(uint32_t milliseconds) override;
  void PresentFrame() override;
  bool WindowExists(int64_t windowId) override;

  // What presenting a frame means for the current display.
  void SetPresenter(std::function<void()> presenter) { presenter_ = std::move(presenter); }
  const std::function<void()>& Presenter() const { return presenter_; }
  // Sees each message first; true when it took it (a dialog's keyboard, so a window
  // running a preview still answers Tab, Enter and Escape).
  void SetMessageFilter(bool (*filter)(MSG&)) { filter_ = filter; }

 private:
  std::function<void()> presenter_;
  bool (*filter_)(MSG&) = nullptr;
};

// The process's host for the real displays.
WinFrameHost& DisplayFrameHost();

}  // namespace pyxora
