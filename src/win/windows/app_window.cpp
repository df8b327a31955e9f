#include "win/windows/app_window.h"

#include "base/system.h"
#include "host/startup.h"
#include "render/frame_host.h"
#include "render/saver_state.h"
#include "settings/settings.h"
#include "win/platform/win_placement.h"
#include "win/ui/properties_entry.h"

namespace pyxora {
namespace {

constexpr const char* kPlacementSection = "General";
constexpr UINT_PTR kResizeSettled = 1;

}  // namespace

void AppWindow::SetUp() {
  const bool resizable = GetSettingStr("Advanced", "Adv_WinResize", "0") == "1";
  SetPointerHidden(!resizable);
  if (resizable) {
    SetWindowTextW(window_, WideFromUtf8(kSaverCaption).c_str());
    RestorePlacement(window_, kPlacementSection);
  } else {
    SetWindowTextW(window_, L"");
    ShowWindow(window_, SW_SHOWMAXIMIZED);
  }
  SetForegroundWindow(window_);
  SetFocus(window_);
}

int AppWindow::Run() {
  // The size a window never placed opens with, centred.
  if (!Create(0, WS_OVERLAPPEDWINDOW, "", RECT{0, 0, 640, 480}, nullptr)) return 1;
  bool setUp = true;
  for (;;) {
    next_ = Next::None;
    if (setUp) SetUp();
    UpdateWindow(window_);
    running_ = true;
    RunDriver(DriverVariant::Windowed, &sequence_);
    running_ = false;
    // After a resize only the surface is new; the window stays where the user put it.
    setUp = next_ != Next::Resize;
    if (next_ == Next::Properties) {
      ShowPropertiesModal(window_);
      if (gState.ExitRequested) break;
    }
    if (next_ == Next::None || next_ == Next::End || !window_) break;
  }
  if (window_) DestroyWindow(window_);
  return 0;
}

void AppWindow::Request(Next next) {
  if (next > next_) next_ = next;
  RequestStop();
}

LRESULT AppWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
      } else if (wParam == VK_F5) {
        SavePlacement(window_, kPlacementSection);
        Request(Next::Restart);
      } else {
        SavePlacement(window_, kPlacementSection);
        Request(Next::Properties);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SavePlacement(window_, kPlacementSection);
      Request(Next::Properties);
      return 0;
    case WM_SIZE:
      // A window dragged larger restarts its animation once the size settles.
      if (running_) SetTimer(window_, kResizeSettled, 300, nullptr);
      break;
    case WM_TIMER:
      if (wParam == kResizeSettled) {
        KillTimer(window_, kResizeSettled);
        RECT client;
        GetClientRect(window_, &client);
        if (running_ && (client.right != Surface().Width() || client.bottom != Surface().Height())) Request(Next::Resize);
        return 0;
      }
      break;
    case WM_CLOSE:
      // Escape, Exit in the Properties window and the system's close all end here.
      SavePlacement(window_, kPlacementSection);
      Request(Next::End);
      DestroyWindow(window_);
      return 0;
  }
  return DisplayWindow::Handle(message, wParam, lParam);
}

}  // namespace pyxora
