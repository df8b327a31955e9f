// Window placement of the Windows windows: what the stored "WindowState" and
// "WindowSize" say, applied with the window's normal (restored) rectangle.
#pragma once

#include <windows.h>

#include <string_view>

namespace pyxora {

void SavePlacement(HWND window, std::string_view section);
// Places the window as stored (shown in that state), or centred on the primary monitor.
void RestorePlacement(HWND window, std::string_view section);

}  // namespace pyxora
