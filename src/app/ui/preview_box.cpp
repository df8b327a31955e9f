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
  const PixelRect dirty = canvas_.TakeDirtyRect();
  if (!dirty.Empty()) update(dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top);
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
