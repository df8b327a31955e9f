// frmAppEXE: the animation as an ordinary application window. Escape ends it, F5
// restarts the animation with fresh settings, any other key or a click opens the
// Properties window, after which the animation restarts with what was saved there.
#pragma once

#include <QTimer>
#include <functional>

#include "app/windows/display_window.h"

namespace pyxora {

inline constexpr const char* kAppPlacementSection = "General";

class AppWindow : public DisplayWindow {
  Q_OBJECT
 public:
  using PropertiesOpener = std::function<void(QWidget* owner)>;
  explicit AppWindow(PropertiesOpener openProperties);
  // Runs the animation, restarting it as asked, until the program is to end.
  void Start();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Why the running driver was asked to unwind; a later, stronger request wins.
  enum class Next { None, Resize, Restart, Properties, End };
  void SetUp();
  void Request(Next next);
  bool SizeMatchesSurface();

  PropertiesOpener openProperties_;
  Next next_ = Next::None;
  bool running_ = false;
  SequenceState sequence_;
  QTimer resizeSettled_;
};

}  // namespace pyxora
