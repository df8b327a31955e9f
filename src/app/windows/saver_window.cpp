#include "app/windows/saver_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

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

BlackoutWindow::BlackoutWindow(SaverWindow& saver, QScreen* screen) : saver_(saver) {
  setWindowTitle(kSaverCaption);
  setWindowFlag(Qt::FramelessWindowHint);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  HidePointer(*this);
  ShowFullScreen(*this, WindowLayer::Normal, screen);
}

void BlackoutWindow::paintEvent(QPaintEvent* event) { QPainter(this).fillRect(event->rect(), Qt::black); }

bool BlackoutWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      QCoreApplication::sendEvent(&saver_, event);
      return true;
    default:
      return QWidget::event(event);
  }
}

void SaverWindow::Start() {
  gState.DisplayOnBackground = GetSettingStr("Advanced", "Adv_DispBackG", "0") == "1";
  const bool background = gState.DisplayOnBackground;
  if (background) setCursor(Qt::ArrowCursor);
  else HidePointer(*this);
  // The effect on the primary monitor, where the original platform shows it.
  ShowFullScreen(*this, background ? WindowLayer::KeptBelow : WindowLayer::Normal, QGuiApplication::primaryScreen());
  if (!background) {
    // The desktop stays hidden on the other monitors too, also on ones plugged in later.
    for (QScreen* screen : QGuiApplication::screens()) Cover(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &SaverWindow::Cover);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, [this](QScreen* screen) { blackouts_.erase(screen); });
    // The saver keeps the keyboard, whichever window the pointer is over.
    activateWindow();
  }
  RunDriver(DriverVariant::Saver, &sequence_);
  if (isVisible()) close();
  blackouts_.clear();
}

void SaverWindow::Cover(QScreen* screen) {
  if (!screen || screen == QGuiApplication::primaryScreen() || blackouts_.count(screen)) return;
  blackouts_[screen] = std::make_unique<BlackoutWindow>(*this, screen);
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
  for (auto& [screen, window] : blackouts_) window->hide();
}

}  // namespace pyxora
