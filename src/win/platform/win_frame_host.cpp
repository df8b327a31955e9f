#include "win/platform/win_frame_host.h"

#include <windows.h>

#include "render/saver_state.h"

namespace pyxora {

uint32_t WinFrameHost::Tick() { return GetTickCount(); }

void WinFrameHost::ProcessEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The process is asked to end: the displays stop, and the next pump ends too.
      PostQuitMessage(static_cast<int>(message.wParam));
      RequestStop();
      return;
    }
    if (filter_ && filter_(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void WinFrameHost::WaitForEvents(uint32_t milliseconds) {
  MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void WinFrameHost::PresentFrame() {
  if (presenter_) presenter_();
}

bool WinFrameHost::WindowExists(int64_t windowId) {
  return IsWindow(reinterpret_cast<HWND>(static_cast<intptr_t>(windowId))) != FALSE;
}

WinFrameHost& DisplayFrameHost() {
  static WinFrameHost host;
  return host;
}

}  // namespace pyxora
