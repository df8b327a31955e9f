// frmPreview: the animation inside a window of another program (the host's preview
// area, given by its X11 window id). It ends when that window is destroyed or gone.
#pragma once

#include <cstdint>

#include "app/platform/foreign_parent.h"
#include "app/windows/display_window.h"

namespace pyxora {

class PreviewWindow : public DisplayWindow {
  Q_OBJECT
 public:
  explicit PreviewWindow(int64_t parentId);
  // Moves into the parent, sized to its inner rectangle, and runs the preview driver
  // until the parent goes away. A parent that is no window ends it at the first frame.
  void Start();

 private:
  ForeignParent parent_;
};

}  // namespace pyxora
