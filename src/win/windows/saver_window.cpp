#include "win/windows/saver_window.h"

#include "host/startup.h"
#include "render/saver_state.h"
#include "settings/settings.h"

namespace pyxora {
namespace {

constexpr const wchar_t* kBlackoutClass = L"PyxoraBlackout";

// Input over a black monitor counts as input to the saver.
LRESULT CALLBACK BlackoutProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      if (HWND saver = reinterpret_cast<HWND>(GetWindowLongPtrW(window, GWLP_USERDATA)))
        return SendMessageW(saver, message, wParam, lParam);
      return 0;
    case WM_SETCURSOR:
      SetCursor(nullptr);
      return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

RECT PrimaryMonitor() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcMonitor;
}

}  // namespace

int SaverWindow::Run() {
  gState.DisplayOnBackground = GetSettingStr("Advanced", "Adv_DispBackG", "0") == "1";
  const bool background = gState.DisplayOnBackground;
  SetPointerHidden(!background);
  GetCursorPos(&lastPointer_);
  // The effect on the primary monitor, as the system's own savers show it.
  if (!Create(background ? 0 : WS_EX_TOPMOST, WS_POPUP, kSaverCaption, PrimaryMonitor(), nullptr)) return 1;
  ShowWindow(window_, SW_SHOW);
  // A moving wallpaper sits below every other window; the saver above them all.
  SetWindowPos(window_, background ? HWND_BOTTOM : HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (!background) {
    CoverOtherMonitors();
    SetForegroundWindow(window_);
    SetFocus(window_);
  }
  RunDriver(DriverVariant::Saver, &sequence_);
  if (window_) SendMessageW(window_, WM_CLOSE, 0, 0);
  for (HWND blackout : blackouts_) DestroyWindow(blackout);
  return 0;
}

void SaverWindow::CoverOtherMonitors() {
  static const bool registered = [] {
    WNDCLASSW type{};
    type.lpfnWndProc = &BlackoutProcedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = kBlackoutClass;
    type.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    return RegisterClassW(&type) != 0;
  }();
  if (!registered) return;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR, HDC, LPRECT area, LPARAM self) -> BOOL {
        auto* saver = reinterpret_cast<SaverWindow*>(self);
        const RECT primary = PrimaryMonitor();
        if (EqualRect(area, &primary)) return TRUE;
        HWND black = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kBlackoutClass, L"", WS_POPUP | WS_VISIBLE,
                                     area->left, area->top, area->right - area->left, area->bottom - area->top,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (black) {
          SetWindowLongPtrW(black, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(saver->window_));
          saver->blackouts_.push_back(black);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(this));
}

void SaverWindow::MouseMoved() {
  // Windows also reports a "move" when a window appears under a still pointer: only a
  // new position is a move.
  POINT now{};
  GetCursorPos(&now);
  const bool moved = now.x != lastPointer_.x || now.y != lastPointer_.y;
  lastPointer_ = now;
  if (!moved || gState.IgnoreMouseMove) return;
  if (CountMouseMove(moves_, gState.DisplayOnBackground, SecondsSinceMidnight())) PostMessageW(window_, WM_CLOSE, 0, 0);
}

LRESULT SaverWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool background = gState.DisplayOnBackground;
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (!background) PostMessageW(window_, WM_CLOSE, 0, 0);
      return 0;
    case WM_LBUTTONDBLCLK:
      PostMessageW(window_, WM_CLOSE, 0, 0);  // in the normal mode the first press closed it already
      return 0;
    case WM_MOUSEMOVE:
      MouseMoved();
      return 0;
    case WM_CLOSE:
      // Every close, whoever asks, goes through the query; a refusal keeps the animation.
      if (!QueryClose()) return 0;
      SetSaverRunning(false);
      DestroyWindow(window_);
      return 0;
  }
  return DisplayWindow::Handle(message, wParam, lParam);
}

}  // namespace pyxora
