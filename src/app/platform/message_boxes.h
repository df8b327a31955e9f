// The core's messages to the user (the settings store's write test) as message boxes
// over the active window, for as long as a display or the Properties window runs.
#pragma once

namespace pyxora {

class ScopedMessageBoxes {
 public:
  ScopedMessageBoxes();
  ~ScopedMessageBoxes();
  ScopedMessageBoxes(const ScopedMessageBoxes&) = delete;
  ScopedMessageBoxes& operator=(const ScopedMessageBoxes&) = delete;
};

}  // namespace pyxora
