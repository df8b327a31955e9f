// Resetting and clearing the display's drawing surface (gState.Canvas).
#pragma once

namespace pyxora {

// Before each effect run: black background, white foreground, cleared.
void PrepareCanvas();
// Clears the surface to its background colour; the message layer is not touched.
void ClearCanvas();

}  // namespace pyxora
