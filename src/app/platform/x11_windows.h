// Window questions answered by the X server directly: find a top-level window by
// its title, raise it, ask whether a window still exists and how large it is.
// Each call opens its own short connection, so it works before Qt starts and
// whichever client owns the window.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pyxora {

struct WindowGeometry {
  int width = 0;
  int height = 0;
};

// Whether the X display named by DISPLAY accepts a connection.
bool X11DisplayAvailable();

// The first mapped window whose title equals `caption`.
std::optional<uint32_t> FindWindowByCaption(std::string_view caption);
inline bool WindowExists(std::string_view caption) { return FindWindowByCaption(caption).has_value(); }
// Raises and activates a window (through the window manager when one runs).
void BringWindowToFront(uint32_t window);
// IsWindow: the id names a live window on the display.
bool X11WindowExists(int64_t window);
std::optional<WindowGeometry> X11WindowSize(int64_t window);

}  // namespace pyxora
