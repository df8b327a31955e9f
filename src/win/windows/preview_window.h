// The preview (/p HWND): a child window filling the client area of a window of another
// program (the Screen Saver Settings' little screen), ended when that window goes.
#pragma once

#include "win/windows/display_window.h"

namespace pyxora {

class PreviewWindow : public DisplayWindow {
 public:
  // Runs the preview inside `parent` until it is destroyed; the process's exit status.
  int Run(HWND parent);
};

}  // namespace pyxora
