// Frames to a window through a 32-bit DIB section that holds what the window shows:
// the changed pixels go into it, and only the 64 x 8 blocks they lie in are copied to
// the window, in one BitBlt per run of neighbouring blocks. A repaint copies from it too.
#pragma once

#include <windows.h>

#include <vector>

#include "render/change_presenter.h"

namespace pyxora {

class DibPresenter {
 public:
  ~DibPresenter();
  // Sends what changed in `canvas` to `window` (a DIB of the canvas's size is made first).
  PresentStats Present(Canvas& canvas, HWND window);
  // Repaints `area` of the window from what was last presented; black beyond it.
  void Paint(HDC target, const RECT& area) const;

 private:
  class Target;
  void Resize(int width, int height);

  ChangePresenter changes_;
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace pyxora
