// Reads a window the way a person would: for the top-level window with the caption
// given, first its client area, then one line per visible control: its class, its text
// (UTF-8, line breaks as "\n"), its place on the screen, whether it is enabled, and
// whether its one line of text fits its width
// ("Button|&Accept Settings|812,700,940,726|enabled|fits"). Exit status 1 when no such
// window exists.
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

// A label or button whose single line is wider than the control shows cut off.
const char* Fits(HWND control, const std::wstring& text) {
  RECT client{};
  GetClientRect(control, &client);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  const bool oneLine = client.bottom < 2 * metrics.tmHeight && text.find(L'\n') == std::wstring::npos;
  return !oneLine || size.cx <= client.right ? "fits" : "clipped";
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
  const std::wstring kind = type;
  // Labels and check boxes; a push button centres its caption within its own margins.
  const bool measured = kind == L"Static" || (kind == L"Button" && (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX);
  std::printf("%s|%s|%ld,%ld,%ld,%ld|%s|%s\n", Utf8(type).c_str(), Utf8(text).c_str(), place.left, place.top, place.right,
              place.bottom, IsWindowEnabled(control) ? "enabled" : "disabled", measured ? Fits(control, text) : "fits");
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  HWND window = FindWindowW(nullptr, argv[1]);
  if (!window) return 1;
  // The window's client area: where its controls must lie.
  RECT place{};
  GetClientRect(window, &place);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&place), 2);
  std::printf("Window|%s|%ld,%ld,%ld,%ld|enabled|fits\n", Utf8(argv[1]).c_str(), place.left, place.top, place.right,
              place.bottom);
  EnumChildWindows(window, &PrintControl, 0);
  std::fflush(stdout);
  return 0;
}
