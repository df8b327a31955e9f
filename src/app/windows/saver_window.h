// frmSaver: the full-screen saver. Any key or button ends it, and so does the fourth
// mouse move of a series; on the desktop background only a double-click ends it.
#pragma once

#include "app/windows/display_window.h"
#include "host/saver_input.h"

namespace pyxora {

class SaverWindow : public DisplayWindow {
  Q_OBJECT
 public:
  SaverWindow();
  // Sets the window up, shows it and runs the saver driver; returns when it has closed.
  void Start();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  MouseMoveSeries moves_;
  SequenceState sequence_;
};

}  // namespace pyxora
