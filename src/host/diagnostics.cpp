#include "host/diagnostics.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "base/system.h"
#include "render/canvas.h"
#include "settings/settings.h"

namespace pyxora {

std::string StoreWriteTest() {
  // A refused write leaves an earlier test's "OK" in the store: that is no pass.
  if (!SaveSettingStr("General", "RegistryReadWriteTest", "OK")) return "";
  return GetSettingStr("General", "RegistryReadWriteTest", "");
}

std::string OperatingSystemText(const std::string& osReleasePath) {
  std::string text = SystemVersionText();
  std::ifstream file(osReleasePath);
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind("PRETTY_NAME=", 0) != 0) continue;
    std::string name = line.substr(12);
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '\'') && name.back() == name.front())
      name = name.substr(1, name.size() - 2);
    if (!name.empty()) text += " (" + name + ")";
    break;
  }
  return text;
}

int64_t DisplayColours(int bitsPerPixel) { return int64_t{1} << std::clamp(bitsPerPixel, 0, 31); }

int DrawTestCircle(Canvas& canvas) {
  const int side = std::min(canvas.Width(), canvas.Height());
  if (side < 3) return 0;
  const double radius = side / 2.0 - std::max(2, side / 10);
  const double cx = canvas.Width() / 2.0, cy = canvas.Height() / 2.0;
  // Enough steps that neighbouring points touch.
  const int steps = static_cast<int>(std::ceil(2 * M_PI * radius * 2));
  int plotted = 0;
  for (int i = 0; i < steps; ++i) {
    const double angle = 2 * M_PI * i / steps;
    canvas.SetPixel(static_cast<int32_t>(std::lround(cx + radius * std::cos(angle))),
                    static_cast<int32_t>(std::lround(cy + radius * std::sin(angle))), RgbColor(255, 255, 255));
    ++plotted;
  }
  return plotted;
}

}  // namespace pyxora
