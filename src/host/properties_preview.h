// The Properties window's live preview, without the window: the selected effect runs
// on the preview box's surface with the fields as typed, until a preview stop.
#pragma once

#include <functional>

#include "settings/properties_model.h"

namespace pyxora {

class Canvas;

// Sets the camera, pacing and colours up for a `width` x `height` surface (focal
// length, performance multiplier, frame delay and starting hue from the store; the
// colour levels and percentages from the boxes, clamped), then calls the selected
// effect's preview entry with no frame limit. False when the effect has no preview
// (the retired entry): nothing ran. The surface is released before returning.
bool RunPropertiesPreview(const PropertiesModel& props, Canvas& surface, int width, int height);

// The colour fields of the boxes, clamped as the window clamps them, into the shared
// colour settings, and the hue wheel rebuilt from them.
void ApplyPreviewColours(const PropertiesModel& props);

// The window's side of the preview, the same on both platform sides: its preview state
// (button captioned "Stop Preview", the other controls disabled), the effect loop that
// runs inside its event handling, and a close asked for while that loop ran, which
// happens once the loop has returned.
class PreviewSession {
 public:
  bool Showing() const { return showing_; }
  bool LoopRunning() const { return running_; }
  // Enters the preview state with the stop requests cleared. False while a loop told to
  // stop is still finishing its frame: a second one must not start under it.
  bool Start();
  // Runs the effect loop; a close asked for meanwhile is then made through `close`.
  void Run(const std::function<void()>& loop, const std::function<void(int result)>& close);
  // Tells the loop to stop at its frame's end and leaves the preview state; true when
  // the window was in it (its controls are to be restored).
  bool Stop();
  // Leaves the preview state; true when the window was in it.
  bool Leave();
  // True when the window may close now; while a loop runs the close waits for it.
  bool MayClose(int result);

 private:
  bool showing_ = false;
  bool running_ = false;
  bool closePending_ = false;
  int pendingResult_ = 0;
};

}  // namespace pyxora
