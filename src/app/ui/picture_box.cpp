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
  // The band of rows written since the last frame; these boxes are small, so the
  // whole width of the band is repainted.
  const int rows = canvas_.Height();
  int first = canvas_.AllChanged() ? 0 : rows, last = canvas_.AllChanged() ? rows - 1 : -1;
  const uint8_t* written = canvas_.RowsWritten();
  for (int y = 0; y < rows && !canvas_.AllChanged(); ++y)
    if (written[y]) {
      first = std::min(first, y);
      last = y;
    }
  canvas_.ForgetChanges();
  if (last >= first) update(0, first, width(), last - first + 1);
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
