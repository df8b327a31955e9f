// The one perspective camera: the eye at the origin looking along +z, x to the right,
// y downward, the world centre at (0, 0, FocalLength).
#pragma once

#include <cstdint>

namespace pyxora {

class Canvas;

struct Viewport {
  Canvas* DrawDC = nullptr;
  int16_t Width = 0;
  int16_t Height = 0;
  int16_t CentreX = 0;
  int16_t CentreY = 0;
  float FocalLength = 1.0f;
  float ProjScale = 0.0f;
};

// The process-wide camera; rewritten whenever a surface is taken into use.
extern Viewport gViewport;

// Sizes the camera for a surface of `width` x `height` pixels with the given focal length.
void SetUpViewport(Viewport& view, int16_t width, int16_t height, float focalLength);

}  // namespace pyxora
