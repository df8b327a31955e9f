// frmSaver: the full-screen saver. Any key or button ends it, and so does the fourth
// mouse move of a series; on the desktop background only a double-click ends it.
// The effect runs on the primary monitor; every other monitor gets a black window.
#pragma once

#include <map>
#include <memory>

#include "app/windows/display_window.h"
#include "host/saver_input.h"

class QScreen;

namespace pyxora {

class SaverWindow;

// A black full-screen window of the saver on a monitor other than the one the effect
// runs on. Its input goes to the saver window, so it ends the saver by the same rules.
class BlackoutWindow : public QWidget {
  Q_OBJECT
 public:
  BlackoutWindow(SaverWindow& saver, QScreen* screen);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  SaverWindow& saver_;
};

class SaverWindow : public DisplayWindow {
  Q_OBJECT
 public:
  SaverWindow();
  // Sets the window up, shows it and runs the saver driver; returns when it has closed.
  void Start();
  // The other monitors' black windows, by monitor.
  const std::map<QScreen*, std::unique_ptr<BlackoutWindow>>& Blackouts() const { return blackouts_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Cover(QScreen* screen);

  MouseMoveSeries moves_;
  SequenceState sequence_;
  std::map<QScreen*, std::unique_ptr<BlackoutWindow>> blackouts_;
};

}  // namespace pyxora
