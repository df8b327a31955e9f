// picPreview: the picture box in which the Properties window runs an effect.
#pragma once

#include "app/ui/picture_box.h"

namespace pyxora {

class PreviewBox : public PictureBox {
 public:
  explicit PreviewBox(QWidget* parent = nullptr) : PictureBox("picPreview", parent) {}
};

}  // namespace pyxora
