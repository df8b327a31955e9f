#include "win/windows/screen_message.h"

#include "base/numeric.h"
#include "base/system.h"
#include "render/colour.h"
#include "render/saver_state.h"

namespace pyxora {
namespace {

constexpr const wchar_t* kClassName = L"PyxoraMessage";

}  // namespace

MessagePicture::~MessagePicture() {
  if (font_) DeleteObject(font_);
}

LRESULT CALLBACK MessagePicture::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MessagePicture*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_PAINT && self) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT all;
    GetClientRect(window, &all);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const HGDIOBJ old = SelectObject(dc, self->font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, self->colour_);
    TextOutW(dc, 0, 0, self->text_.c_str(), static_cast<int>(self->text_.size()));
    SelectObject(dc, old);
    EndPaint(window, &paint);
    return 0;
  }
  // Input goes to the display underneath, as if the picture were not there.
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProcW(window, message, wParam, lParam);
}

void MessagePicture::Show(HWND display) {
  const std::wstring text = WideFromUtf8(gState.MessageText);
  const bool blank = text.find_first_not_of(L" \t") == std::wstring::npos;
  if (!gState.Canvas || blank || !display) {
    // A display restarted after the message was removed must not keep the old one.
    if (window_) ShowWindow(window_, SW_HIDE);
    return;
  }
  static const bool registered = [] {
    WNDCLASSW type{};
    type.lpfnWndProc = &Procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = kClassName;
    return RegisterClassW(&type) != 0;
  }();
  if (!window_ && registered) {
    window_ = CreateWindowExW(0, kClassName, L"", WS_CHILD, 0, 0, 0, 0, display, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window_) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  if (!window_) return;
  text_ = text;
  if (font_) DeleteObject(font_);
  // Points to pixels at the display's resolution; a face that is not installed falls back
  // to a similar one.
  HDC screen = GetDC(display);
  const int height = -MulDiv(gState.MessageFontSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
  font_ = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, WideFromUtf8(gState.MessageFontName).c_str());
  const HGDIOBJ old = SelectObject(screen, font_);
  SIZE size{};
  GetTextExtentPoint32W(screen, text_.c_str(), static_cast<int>(text_.size()), &size);
  SelectObject(screen, old);
  ReleaseDC(display, screen);
  const uint32_t colour = HueToRgb(gState.MessageFontHue, 55, 100, 100, 100);  // 0x00BBGGRR, as COLORREF
  colour_ = colour;

  RECT client;
  GetClientRect(display, &client);
  // A message wider than the window gets a negative left edge and is cut equally at both sides.
  const int left = NearestInt32((client.right - size.cx) * 0.5);
  SetWindowPos(window_, HWND_TOP, left, kMessageTopMargin, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, TRUE);
}

}  // namespace pyxora
