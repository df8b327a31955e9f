#include "app/windows/saver_window.h"

#include <QCloseEvent>

#include "app/platform/window_look.h"
#include "host/startup.h"
#include "render/saver_state.h"
#include "settings/settings.h"

namespace pyxora {

SaverWindow::SaverWindow() {
  setWindowTitle(kSaverCaption);
  setWindowFlag(Qt::FramelessWindowHint);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);  // moves without a button held count too
}

void SaverWindow::Start() {
  gState.DisplayOnBackground = GetSettingStr("Advanced", "Adv_DispBackG", "0") == "1";
  const bool background = gState.DisplayOnBackground;
  if (background) setCursor(Qt::ArrowCursor);
  else HidePointer(*this);
  ShowFullScreen(*this, background ? WindowLayer::KeptBelow : WindowLayer::Normal);
  RunDriver(DriverVariant::Saver, &sequence_);
  if (isVisible()) close();
}

void SaverWindow::keyPressEvent(QKeyEvent*) {
  if (!gState.DisplayOnBackground) close();
}

void SaverWindow::mousePressEvent(QMouseEvent*) {
  if (!gState.DisplayOnBackground) close();
}

void SaverWindow::mouseDoubleClickEvent(QMouseEvent*) {
  if (gState.DisplayOnBackground) close();
}

void SaverWindow::mouseMoveEvent(QMouseEvent*) {
  if (gState.IgnoreMouseMove) return;
  if (CountMouseMove(moves_, gState.DisplayOnBackground, SecondsSinceMidnight())) close();
}

void SaverWindow::closeEvent(QCloseEvent* event) {
  if (!QueryClose()) {
    event->ignore();
    return;
  }
  SetSaverRunning(false);
  event->accept();
}

}  // namespace pyxora
