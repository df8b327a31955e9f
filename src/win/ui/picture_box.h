// A picture box of the configuration windows (the Properties preview, the diagnostics'
// circle, the about window's miniatures): a child window showing a canvas through the
// same DIB presenter as the displays, black until something is drawn.
#pragma once

#include <windows.h>

#include "render/canvas.h"
#include "win/platform/dib_present.h"

namespace pyxora {

class PictureBox {
 public:
  PictureBox() = default;
  ~PictureBox();
  PictureBox(const PictureBox&) = delete;
  PictureBox& operator=(const PictureBox&) = delete;

  // Makes the child window; its canvas takes the window's size in pixels.
  HWND Create(HWND parent, int id);
  HWND Window() const { return window_; }
  Canvas& Surface() { return canvas_; }
  // The canvas at the window's current size, cleared.
  void FitSurface();
  // Sends what changed in the canvas to the window.
  void Present();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  Canvas canvas_;
  DibPresenter presenter_;
};

}  // namespace pyxora
