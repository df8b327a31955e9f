#include "host/windows/display_window.h"

#include <QCloseEvent>
#include <QImage>
#include <QPainter>

#include "host/saver_state.h"
#include "platform/qt_frame_host.h"

namespace pyxora {

DisplayWindow::DisplayWindow(DriverVariant variant, QWidget* parent) : QWidget(parent), variant_(variant) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::StrongFocus);
}

void DisplayWindow::PresentCanvas() {
  const PixelRect dirty = canvas_.TakeDirtyRect();
  if (!dirty.Empty()) update(dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top);
}

void DisplayWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::black);
  if (canvas_.Width() == 0 || canvas_.Height() == 0) return;
  const QImage image(reinterpret_cast<const uchar*>(canvas_.Data()), canvas_.Width(), canvas_.Height(),
                     canvas_.Width() * 4, QImage::Format_RGB32);
  painter.drawImage(event->rect(), image, event->rect());
}

void DisplayWindow::RunDriver() {
  QtFrameHost& host = DisplayFrameHost();
  host.SetPresenter([this] { PresentCanvas(); });
  gState.Host = &host;
  const DisplaySurface surface{&canvas_, width(), height(), true};
  DriverHooks hooks;
  hooks.sequence = &sequence_;
  RunEffectDriver(variant_, surface, hooks);
  host.SetPresenter(nullptr);
}

void DisplayWindow::keyPressEvent(QKeyEvent*) { close(); }
void DisplayWindow::mousePressEvent(QMouseEvent*) { close(); }

void DisplayWindow::closeEvent(QCloseEvent* event) {
  RequestStop();
  event->accept();
}

}  // namespace pyxora
