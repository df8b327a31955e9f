// The user's message over the animation: a small child window at the top centre of the
// saver and windowed displays, drawn with GDI text in the chosen font. Being a window of
// its own, the frames copied to the display never overwrite it.
#pragma once

#include <windows.h>

#include <string>

namespace pyxora {

inline constexpr int kMessageTopMargin = 5;

class MessagePicture {  // picMessage
 public:
  ~MessagePicture();
  // Draws gState's message (face, size in points, hue) centred at the top of `display`.
  // An empty message hides the picture, so nothing covers the animation.
  void Show(HWND display);
  HWND Handle() const { return window_; }
  const std::wstring& Text() const { return text_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  COLORREF colour_ = 0;
  std::wstring text_;
};

}  // namespace pyxora
