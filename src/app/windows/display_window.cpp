#include "app/windows/display_window.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include "app/platform/qt_frame_host.h"
#include "app/windows/screen_message.h"
#include "render/saver_state.h"
#include "render/viewport.h"
#include "settings/placement.h"

namespace pyxora {

DisplayWindow::DisplayWindow(QWidget* parent) : QWidget(parent), message_(new MessagePicture(this)) {
  // Every pixel is painted from the framebuffer; no background fill first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

DisplayWindow::~DisplayWindow() {
  if (gState.Canvas == &canvas_) gState.Canvas = nullptr;
}

void DisplayWindow::PresentCanvas() {
  const PixelRect dirty = canvas_.TakeDirtyRect();
  if (!dirty.Empty()) update(dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top);
}

void DisplayWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  const QRect drawn = area.intersected(QRect(0, 0, canvas_.Width(), canvas_.Height()));
  // Outside the framebuffer (a window grown since the driver started) stays black.
  if (drawn != area) painter.fillRect(area, Qt::black);
  if (drawn.isEmpty()) return;
  const QImage image(reinterpret_cast<const uchar*>(canvas_.Data()), canvas_.Width(), canvas_.Height(),
                     canvas_.Width() * 4, QImage::Format_RGB32);
  painter.drawImage(drawn, image, drawn);
}

void DisplayWindow::RunDriver(DriverVariant variant, SequenceState* sequence) {
  QtFrameHost& host = DisplayFrameHost();
  host.SetPresenter([this] { PresentCanvas(); });
  gState.Host = &host;
  const bool preview = variant == DriverVariant::Preview;
  // The preview's surface measures in twips, as in the control panel it was made for.
  const int scaleX = preview ? gTwipsPerPixel.x : 1;
  const int scaleY = preview ? gTwipsPerPixel.y : 1;
  const DisplaySurface surface{&canvas_, width() * scaleX, height() * scaleY, !preview};
  DriverHooks hooks;
  hooks.sequence = sequence;
  if (!preview) hooks.showMessage = [this] { ShowScreenMessage(*message_); };
  RunEffectDriver(variant, surface, hooks);
  host.SetPresenter(nullptr);
  // The window lets go of the surface when its display ends.
  gState.Canvas = nullptr;
}

}  // namespace pyxora
