// The full-screen saver (/s): a borderless window over the primary monitor with the
// pointer hidden, black windows over every other monitor, ended by a key, a click or the
// fourth mouse move (a double-click alone in desktop-background mode).
#pragma once

#include <vector>

#include "host/saver_input.h"
#include "win/windows/display_window.h"

namespace pyxora {

class SaverWindow : public DisplayWindow {
 public:
  // Shows the saver and runs it until it closes; the process's exit status.
  int Run();

 protected:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CoverOtherMonitors();
  void MouseMoved();

  SequenceState sequence_;
  MouseMoveSeries moves_;
  POINT lastPointer_{};
  std::vector<HWND> blackouts_;
};

}  // namespace pyxora
