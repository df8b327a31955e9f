#include "app/ui/picture_box.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace pyxora {

PictureBox::PictureBox(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::FitSurface() { canvas_.Resize(std::max(1, width()), std::max(1, height())); }

void PictureBox::Present() {
  // A small box: repaint the band of rows written since the last frame, if any.
  const PixelRect rows = canvas_.WrittenRows();
  canvas_.ForgetChanges();
  if (!rows.Empty()) update(0, rows.top, canvas_.Width(), rows.Height());
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  const QRect drawn = area.intersected(QRect(0, 0, canvas_.Width(), canvas_.Height()));
  if (drawn != area) painter.fillRect(area, Qt::black);
  if (drawn.isEmpty()) return;
  const QImage image(reinterpret_cast<const uchar*>(canvas_.Data()), canvas_.Width(), canvas_.Height(),
                     canvas_.Width() * 4, QImage::Format_RGB32);
  painter.drawImage(drawn, image, drawn);
}

}  // namespace pyxora
