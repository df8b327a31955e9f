// A picture box that shows a framebuffer the way the display windows do: the
// effects draw into its canvas and Present() pushes what changed to the screen.
#pragma once

#include <QWidget>

#include "render/canvas.h"

namespace pyxora {

class PictureBox : public QWidget {
  Q_OBJECT
 public:
  explicit PictureBox(const QString& name, QWidget* parent = nullptr);
  Canvas& Surface() { return canvas_; }
  // Sizes the canvas to the widget (cleared).
  void FitSurface();
  void Present();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Canvas canvas_;
};

}  // namespace pyxora
