// Stands in for the Screen Saver Settings in the preview tests: a 300 x 200 window
// titled "Preview Host" whose handle it prints (decimal, as /p takes it). It destroys the
// window after SECONDS and lives two seconds more, so a test sees the preview end by itself.
// The window clips its children, as a dialog's preview control may: a preview that drew
// through the host's own style would be clipped out of it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
  WNDCLASSW type{};
  type.lpfnWndProc = DefWindowProcW;
  type.hInstance = GetModuleHandleW(nullptr);
  type.lpszClassName = L"PreviewHost";
  type.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  RegisterClassW(&type);
  HWND window = CreateWindowExW(0, L"PreviewHost", L"Preview Host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100,
                                300, 200, nullptr, nullptr, type.hInstance, nullptr);
  if (!window) {
    std::fprintf(stderr, "preview_host: no window (error %lu)\n", GetLastError());
    return 1;
  }
  std::printf("%lld\n", static_cast<long long>(reinterpret_cast<intptr_t>(window)));
  std::fflush(stdout);
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  bool destroyed = false;
  for (;;) {
    const DWORD now = GetTickCount();
    if (!destroyed && now >= end) {
      DestroyWindow(window);
      destroyed = true;
    }
    if (destroyed && now >= end + 2000) return 0;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}
