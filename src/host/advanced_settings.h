// General and Advanced settings: what every display loads before it draws.
#pragma once

#include <cstdint>

namespace pyxora {

class Canvas;

// "Adv_TimeDelay" when nothing is stored: the minimum frame period in milliseconds.
inline constexpr int32_t kDefaultFrameDelayMs = 40;

// A display's drawing surface as the driver sees it.
struct DisplaySurface {
  Canvas* canvas = nullptr;
  // Inner size in the surface's own scale units: pixels for the saver and windowed
  // displays, twips for the preview (divided by the twips factors when loading).
  int scaleWidth = 0;
  int scaleHeight = 0;
  // A top-level display window (the on-screen message shows only there).
  bool isWindow = false;
};

// Fills the pacing, message and viewport fields from the store, builds the colour
// tables and reseeds the random generator.
void LoadAdvancedSettings(const DisplaySurface& surface, bool isPreview);

}  // namespace pyxora
