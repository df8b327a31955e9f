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
  // Answers the window's WM_PAINT: `area` through `paintDc`, or through the parent.
  void Repaint(HWND window, HDC paintDc, const RECT& area) const;
  // A child window of another program's window is drawn through that parent's device
  // context, clipped to the child: wine shows nothing drawn through the child's own.
  void DrawThroughParent(bool through) { throughParent_ = through; }

 private:
  class Target;
  void Resize(int width, int height);
  // The context that reaches `window`'s pixels, its origin at the window's client origin.
  HDC WindowDc(HWND window, HWND& owner) const;

  ChangePresenter changes_;
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
  bool throughParent_ = false;
};

}  // namespace pyxora
