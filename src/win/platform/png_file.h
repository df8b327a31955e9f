// PNG files without a toolkit: 8-bit RGB, one zlib stream, for --render.
#pragma once

#include <optional>
#include <string>

#include "render/canvas.h"

namespace pyxora {

// The PNG bytes of the canvas.
std::string EncodePng(const Canvas& canvas);
// Writes them to a UTF-8 path: an error text, or nothing when written.
std::optional<std::string> WritePngFile(const Canvas& canvas, const std::string& path);

}  // namespace pyxora
