// Reads a window the way a person would: for the top-level window with the caption
// given, one line per visible control with its class, its text (UTF-8, line breaks as
// "\n") and its place on the screen ("Button|&Accept Settings|812,700,940,726").
// Exit status 1 when no such window exists.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  std::string escaped;
  for (char c : out) {
    if (c == '\r') continue;
    if (c == '\n') escaped += "\\n";
    else escaped += c;
  }
  return escaped;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
  if (!IsWindowVisible(control)) return TRUE;
  wchar_t type[64]{};
  GetClassNameW(control, type, 64);
  // WM_GETTEXT reaches the controls of another process too.
  wchar_t text[4096]{};
  SendMessageTimeoutW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
  RECT place{};
  GetWindowRect(control, &place);
  std::printf("%s|%s|%ld,%ld,%ld,%ld|%s\n", Utf8(type).c_str(), Utf8(text).c_str(), place.left, place.top, place.right,
              place.bottom, IsWindowEnabled(control) ? "enabled" : "disabled");
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  HWND window = FindWindowW(nullptr, argv[1]);
  if (!window) return 1;
  EnumChildWindows(window, &PrintControl, 0);
  std::fflush(stdout);
  return 0;
}
