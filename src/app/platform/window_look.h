// How a display window looks on X11: full screen without a border, a blank pointer,
// and the keep-below layer of the desktop-background mode.
#pragma once

class QScreen;
class QWidget;

namespace pyxora {

enum class WindowLayer { Normal, KeptBelow };

// Shows `window` over the whole of its screen. Without a window manager a
// full-screen window keeps its old size unless its geometry is set first, and keys
// follow the pointer unless the window asks for the focus. Kept below, it leaves
// the focus alone and sits under every other window. `screen`: the monitor to cover
// (by default the one the window is on).
void ShowFullScreen(QWidget& window, WindowLayer layer, QScreen* screen = nullptr);
// Shows `window` maximised (the available area of its screen).
void ShowMaximised(QWidget& window);
void HidePointer(QWidget& window);
// Leaves the window's caption empty. Qt puts the program's name in place of an
// empty title, so the title properties are emptied on the X server directly.
void ClearCaption(QWidget& window);

}  // namespace pyxora
