// Running one effect for a fixed number of frames into a framebuffer, with no
// display and no waiting: the headless --render option, tests and benchmarks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "effects/effect_table.h"
#include "render/canvas.h"

namespace pyxora {

struct RenderRequest {
  const EffectEntry* effect = nullptr;
  int16_t theme = 0;  // 0: the stored settings
  int32_t frames = 100;
  int width = 800;
  int height = 600;
  std::optional<uint32_t> seed;
};

// Draws `frames` frames (the effect restarts if it ends early) and leaves the last
// one in `canvas`. Returns an error text, or nothing on success.
std::optional<std::string> RenderEffect(const RenderRequest& request, Canvas& canvas);

}  // namespace pyxora
