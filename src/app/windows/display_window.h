// What the three displays share: a window that shows a framebuffer, presents what
// changed once per frame, carries the message picture and runs an animation driver.
#pragma once

#include <QWidget>

#include "host/driver.h"
#include "render/canvas.h"

namespace pyxora {

class MessagePicture;

class DisplayWindow : public QWidget {
  Q_OBJECT
 public:
  explicit DisplayWindow(QWidget* parent = nullptr);
  ~DisplayWindow() override;

  Canvas& Surface() { return canvas_; }
  MessagePicture& Message() { return *message_; }
  // Pushes what changed in the framebuffer to the screen.
  void PresentCanvas();

 protected:
  // Runs one driver on this window's framebuffer until StopRequested.
  void RunDriver(DriverVariant variant, SequenceState* sequence);
  void paintEvent(QPaintEvent* event) override;

 private:
  Canvas canvas_;
  MessagePicture* message_;
};

}  // namespace pyxora
