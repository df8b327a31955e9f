#include "win/windows/preview_window.h"

#include "host/startup.h"

namespace pyxora {

int PreviewWindow::Run(HWND parent) {
  // A parent that is no window gives an empty surface, and the first frame ends the
  // preview when it finds the parent gone.
  RECT area{};
  if (IsWindow(parent)) GetClientRect(parent, &area);
  if (IsWindow(parent)) Create(0, WS_CHILD | WS_VISIBLE | WS_DISABLED, kPreviewCaption, area, parent);
  Presenter().DrawThroughParent(true);
  RunDriver(DriverVariant::Preview, nullptr);
  return 0;
}

}  // namespace pyxora
