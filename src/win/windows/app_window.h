// The windowed application (the program started as Pyxora.exe): maximised without a
// pointer, or a resizable window whose placement is remembered; Escape ends it, F5
// restarts the animation, a click or any other key opens the Properties window.
#pragma once

#include "win/windows/display_window.h"

namespace pyxora {

class AppWindow : public DisplayWindow {
 public:
  // Runs the application until it ends; the process's exit status.
  int Run();

 protected:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // What ended the driver, in rising priority.
  enum class Next { None, Resize, Restart, Properties, End };
  void SetUp();
  void Request(Next next);

  SequenceState sequence_;
  Next next_ = Next::None;
  bool running_ = false;
};

}  // namespace pyxora
