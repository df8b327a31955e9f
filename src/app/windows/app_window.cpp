#include "app/windows/app_window.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "app/platform/qt_placement.h"
#include "app/platform/window_look.h"
#include "host/startup.h"
#include "render/frame_host.h"
#include "render/saver_state.h"
#include "settings/settings.h"

namespace pyxora {

AppWindow::AppWindow(PropertiesOpener openProperties) : openProperties_(std::move(openProperties)) {
  setFocusPolicy(Qt::StrongFocus);
  resize(640, 480);  // the size a window never placed opens with, centred
  // A window being dragged larger restarts its animation once the size settles.
  resizeSettled_.setSingleShot(true);
  resizeSettled_.setInterval(300);
  connect(&resizeSettled_, &QTimer::timeout, this, [this] {
    if (running_ && !SizeMatchesSurface()) Request(Next::Resize);
  });
}

void AppWindow::SetUp() {
  const bool resizable = GetSettingStr("Advanced", "Adv_WinResize", "0") == "1";
  if (resizable) {
    setWindowTitle(kSaverCaption);
    setCursor(Qt::ArrowCursor);
    RestorePlacement(*this, kAppPlacementSection);
    show();
  } else {
    HidePointer(*this);
    ShowMaximised(*this);
    ClearCaption(*this);
  }
  raise();
  activateWindow();
}

void AppWindow::Start() {
  bool setUp = true;
  for (;;) {
    next_ = Next::None;
    if (setUp) SetUp();
    running_ = true;
    RunDriver(DriverVariant::Windowed, &sequence_);
    running_ = false;
    // After a resize only the surface is new; the window stays where the user put it.
    setUp = next_ != Next::Resize;
    if (next_ == Next::Properties) {
      openProperties_(this);
      if (gState.ExitRequested) break;
    }
    if (next_ == Next::None || next_ == Next::End) break;
  }
  if (isVisible()) close();
}

void AppWindow::Request(Next next) {
  if (next > next_) next_ = next;
  RequestStop();
}

bool AppWindow::SizeMatchesSurface() { return DeviceSize() == QSize(Surface().Width(), Surface().Height()); }

void AppWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
  } else if (event->key() == Qt::Key_F5) {
    SavePlacement(*this, kAppPlacementSection);
    Request(Next::Restart);
  } else {
    SavePlacement(*this, kAppPlacementSection);
    Request(Next::Properties);
  }
}

void AppWindow::mousePressEvent(QMouseEvent*) {
  SavePlacement(*this, kAppPlacementSection);
  Request(Next::Properties);
}

void AppWindow::closeEvent(QCloseEvent* event) {
  // Escape, Exit in the Properties window and the window manager's close all end here.
  SavePlacement(*this, kAppPlacementSection);
  Request(Next::End);
  event->accept();
}

void AppWindow::resizeEvent(QResizeEvent* event) {
  DisplayWindow::resizeEvent(event);
  if (running_ && !SizeMatchesSurface()) resizeSettled_.start();
}

}  // namespace pyxora
