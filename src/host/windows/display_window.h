// A window that shows a display's framebuffer and runs the animation driver in it.
// The saver, windowed and preview displays build on it.
#pragma once

#include <QWidget>

#include "host/driver.h"
#include "render/canvas.h"

namespace pyxora {

class DisplayWindow : public QWidget {
  Q_OBJECT
 public:
  explicit DisplayWindow(DriverVariant variant, QWidget* parent = nullptr);

  Canvas& Surface() { return canvas_; }
  // Pushes what changed in the framebuffer to the screen.
  void PresentCanvas();
  // Runs the driver until a stop is requested; returns when it has ended.
  void RunDriver();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  DriverVariant variant_;
  Canvas canvas_;
  SequenceState sequence_;
};

}  // namespace pyxora
