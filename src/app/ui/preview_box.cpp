#include "app/ui/preview_box.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace pyxora {

PreviewBox::PreviewBox(QWidget* parent) : QWidget(parent) {
  setObjectName("picPreview");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewBox::Present() {
  // Repaint the band of rows written since the last frame, if any.
  int first = -1, last = -1;
  for (int y = 0; y < canvas_.Height(); ++y)
    if (canvas_.AllChanged() || canvas_.RowWritten(y)) {
      if (first < 0) first = y;
      last = y;
    }
  canvas_.ForgetChanges();
  if (first >= 0) update(0, first, canvas_.Width(), last - first + 1);
}

void PreviewBox::paintEvent(QPaintEvent* event) {
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
