#include "render/viewport.h"

#include "base/numeric.h"

namespace pyxora {

Viewport gViewport;

void SetUpViewport(Viewport& view, int16_t width, int16_t height, float focalLength) {
  view.Width = width;
  view.Height = height;
  view.CentreX = NearestInt16(width * 0.5);
  view.CentreY = NearestInt16(height * 0.5);
  view.FocalLength = ClampSng(focalLength, 0.01f, 10.0f);
  view.ProjScale = static_cast<float>(view.CentreX + view.CentreY) * 0.5f * view.FocalLength;
}

}  // namespace pyxora
