// Running one effect for a fixed number of frames into a framebuffer, with no
// display and no waiting: the headless --render option, tests and benchmarks.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

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

// Saves the canvas as PNG at a UTF-8 path: an error text, or nothing when written.
using PngWriter = std::function<std::optional<std::string>(const Canvas& canvas, const std::string& path)>;

// Runs "--render EFFECT --out FILE.png [--frames N] [--size WxH] [--preset N] [--seed N]"
// and saves the last frame with `write`. Returns the exit status: 0 written, 2 for any
// problem (one line on `err`).
int RunHeadlessRender(const std::vector<std::string>& args, std::ostream& err, const PngWriter& write);

}  // namespace pyxora
