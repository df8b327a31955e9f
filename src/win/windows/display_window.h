// What the three Windows displays share: a window that shows a framebuffer through a
// DIB section, presents what changed once per frame, carries the message picture and
// runs an animation driver. Its messages reach the subclass's Handle.
#pragma once

#include <windows.h>

#include "host/driver.h"
#include "render/canvas.h"
#include "win/platform/dib_present.h"
#include "win/windows/screen_message.h"

namespace pyxora {

class DisplayWindow {
 public:
  DisplayWindow() = default;
  virtual ~DisplayWindow();
  DisplayWindow(const DisplayWindow&) = delete;
  DisplayWindow& operator=(const DisplayWindow&) = delete;

  HWND Window() const { return window_; }
  Canvas& Surface() { return canvas_; }
  MessagePicture& Message() { return message_; }

 protected:
  bool Create(DWORD exStyle, DWORD style, const char* caption, const RECT& place, HWND parent);
  // Runs one driver on this window's framebuffer until StopRequested.
  void RunDriver(DriverVariant variant, SequenceState* sequence);
  // The pointer is invisible over the window.
  void SetPointerHidden(bool hidden) { pointerHidden_ = hidden; }
  DibPresenter& Presenter() { return presenter_; }
  virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Canvas canvas_;
  DibPresenter presenter_;
  MessagePicture message_;
  bool pointerHidden_ = false;
};

}  // namespace pyxora
