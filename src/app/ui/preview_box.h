// picPreview: a picture box that shows a framebuffer, as the display windows do, so
// the Properties window can run an effect inside itself.
#pragma once

#include <QWidget>

#include "render/canvas.h"

namespace pyxora {

class PreviewBox : public QWidget {
  Q_OBJECT
 public:
  explicit PreviewBox(QWidget* parent = nullptr);
  Canvas& Surface() { return canvas_; }
  // Pushes what changed in the framebuffer to the screen.
  void Present();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Canvas canvas_;
};

}  // namespace pyxora
