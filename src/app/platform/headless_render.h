// The --render option: an effect drawn without a display and saved as PNG.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace pyxora {

// Runs "--render EFFECT --out FILE.png [--frames N] [--size WxH] [--preset N] [--seed N]".
// Returns the exit status: 0 written, 2 for any problem (one line on `err`).
int RunHeadlessRender(const std::vector<std::string>& args, std::ostream& err);

}  // namespace pyxora
