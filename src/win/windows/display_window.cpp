#include "win/windows/display_window.h"

#include "base/system.h"
#include "render/frame_host.h"
#include "render/saver_state.h"
#include "settings/placement.h"
#include "win/platform/win_frame_host.h"

namespace pyxora {
namespace {

constexpr const wchar_t* kClassName = L"PyxoraDisplay";

}  // namespace

DisplayWindow::~DisplayWindow() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (gState.Canvas == &canvas_) gState.Canvas = nullptr;
}

bool DisplayWindow::Create(DWORD exStyle, DWORD style, const char* caption, const RECT& place, HWND parent) {
  static const bool registered = [] {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.style = CS_DBLCLKS;
    type.lpfnWndProc = &Procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hIcon = LoadIconW(type.hInstance, L"PYXORA");
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.lpszClassName = kClassName;
    return RegisterClassExW(&type) != 0;
  }();
  if (!registered) return false;
  // The frames are copied over the whole client area: no background fill first, and the
  // message picture is left out of the copies.
  window_ = CreateWindowExW(exStyle, kClassName, WideFromUtf8(caption).c_str(), style | WS_CLIPCHILDREN, place.left,
                            place.top, place.right - place.left, place.bottom - place.top, parent, nullptr,
                            GetModuleHandleW(nullptr), this);
  return window_ != nullptr;
}

LRESULT CALLBACK DisplayWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<DisplayWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<DisplayWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  const LRESULT result = self->Handle(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
  }
  return result;
}

LRESULT DisplayWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window_, &paint);
      presenter_.Repaint(window_, dc, paint.rcPaint);
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_SETCURSOR:
      if (pointerHidden_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(nullptr);
        return TRUE;
      }
      break;
    case WM_DESTROY:
      // Closed by the user, the system or a parent going away: the driver ends.
      RequestStop();
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void DisplayWindow::RunDriver(DriverVariant variant, SequenceState* sequence) {
  WinFrameHost& host = DisplayFrameHost();
  host.SetPresenter([this] { presenter_.Present(canvas_, window_); });
  gState.Host = &host;
  const bool preview = variant == DriverVariant::Preview;
  RECT client{};
  if (window_) GetClientRect(window_, &client);
  // The preview's surface measures in twips, as in the control panel it was made for.
  const int scaleX = preview ? gTwipsPerPixel.x : 1;
  const int scaleY = preview ? gTwipsPerPixel.y : 1;
  const DisplaySurface surface{&canvas_, client.right * scaleX, client.bottom * scaleY, !preview};
  DriverHooks hooks;
  hooks.sequence = sequence;
  if (!preview) hooks.showMessage = [this] { message_.Show(window_); };
  RunEffectDriver(variant, surface, hooks);
  host.SetPresenter(nullptr);
  // The window lets go of the surface when its display ends.
  gState.Canvas = nullptr;
}

}  // namespace pyxora
