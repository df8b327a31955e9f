#include "render/colour.h"

#include <cmath>

#include "base/numeric.h"
#include "render/canvas.h"
#include "render/random.h"
#include "settings/settings.h"

namespace pyxora {

ColorSettings gColorSettings;
std::array<uint32_t, 360> HueWheel{};
std::array<uint32_t, 80> StarPalette{};

namespace {

// Wheel index for any whole number, so a hand-edited wedge width or hue never reads
// outside the table.
int WheelIndex(int64_t n) { return static_cast<int>(((n % 360) + 360) % 360); }

int Nearest(double v) { return NearestInt32(v); }

uint32_t Scaled(uint32_t color, double k) {
  return RgbColor(Nearest(RedOf(color) * k), Nearest(GreenOf(color) * k), Nearest(BlueOf(color) * k));
}

}  // namespace

void LoadColorSettings() {
  ColorSettings& c = gColorSettings;
  c.ColorRed = GetSettingInt("General", "ColorRed", 100);
  c.ColorGrn = GetSettingInt("General", "ColorGrn", 100);
  c.ColorBlu = GetSettingInt("General", "ColorBlu", 100);
  c.ColorPctInt = GetSettingInt("PixelColor", "ColorPctInt", 0);
  c.ColorPctHue = GetSettingInt("PixelColor", "ColorPctHue", 100);
  c.ColorHueWheel = GetSettingInt("PixelColor", "ColorHueWheel", 60);
  c.HueStart = GetSettingInt("Advanced", "Adv_HueStart", 0);
}

uint32_t HueToRgb(int16_t hue, int16_t floor, int16_t redAmp, int16_t greenAmp, int16_t blueAmp) {
  if (hue >= 360) return 0;
  const float f = static_cast<float>(hue % 60) * 0.016666666f;
  const float base = static_cast<float>(floor);
  auto up = [&](int16_t a) { return static_cast<int>(std::floor(base + 2.0f * f * static_cast<float>(a))); };
  auto down = [&](int16_t a) {
    return static_cast<int>(std::floor(base + 2.0f * (1.0f - f) * static_cast<float>(a)));
  };
  auto full = [&](int16_t a) { return floor + 2 * a; };
  switch (hue < 0 ? 0 : hue / 60) {
    case 0: return RgbColor(full(redAmp), up(greenAmp), floor);
    case 1: return RgbColor(down(redAmp), full(greenAmp), floor);
    case 2: return RgbColor(floor, full(greenAmp), up(blueAmp));
    case 3: return RgbColor(floor, down(greenAmp), full(blueAmp));
    case 4: return RgbColor(up(redAmp), floor, full(blueAmp));
    default: return RgbColor(full(redAmp), floor, down(blueAmp));
  }
}

void BuildHueWheel() {
  const ColorSettings& c = gColorSettings;
  for (int16_t hue = 0; hue < 360; ++hue) HueWheel[hue] = HueToRgb(hue, 55, c.ColorRed, c.ColorGrn, c.ColorBlu);
}

void BuildStarPalette() {
  for (int i = 0; i <= 19; ++i) StarPalette[i] = RgbColor(Nearest(255.0 - (i / 19.0) * 255.0), 255, 255);
  for (int i = 20; i <= 75; ++i) {
    const int h = Nearest(180.0 - ((i - 20) / 56.0) * 180.0);
    StarPalette[i] = Scaled(HueWheel[h], (140.0 - i) / 120.0);
  }
  for (int i = 76; i <= 79; ++i) StarPalette[i] = Scaled(HueWheel[0], ((80.0 - i) / 5.0) * (65.0 / 120.0));
}

void PickPixelColor(uint32_t& color, bool& fixed, int16_t& hue) {
  const ColorSettings& c = gColorSettings;
  const float r = Rnd() * 100.0f;
  if (c.ColorPctInt > r) {
    color = VaryColor(0, 0);
    fixed = false;
    hue = 0;
  } else if (c.ColorPctInt + c.ColorPctHue > r) {
    color = VaryColor(0, 0);
    fixed = false;
    hue = static_cast<int16_t>(std::floor(Rnd() * 360.0f) + 1);
  } else {
    color = VaryColor(0, 0);
    fixed = true;
    hue = 0;
  }
}

SourceColor PickPixelColor() {
  SourceColor source;
  PickPixelColor(source.color, source.fixed, source.hue);
  return source;
}

uint32_t VaryColor(uint32_t color, int16_t hue) {
  if (color == 0) return HueWheel[WheelIndex(static_cast<int64_t>(std::floor(Rnd() * 360.0f)))];
  if (hue == 0) {
    const float f = Rnd();
    return RgbColor(static_cast<int>(std::floor(RedOf(color) * f)), static_cast<int>(std::floor(GreenOf(color) * f)),
                    static_cast<int>(std::floor(BlueOf(color) * f)));
  }
  const int64_t n =
      static_cast<int64_t>(std::floor(gColorSettings.ColorHueWheel * Rnd())) + hue + 330;
  return HueWheel[WheelIndex(n)];
}

uint32_t ResolveColor(bool fixed, uint32_t color, int16_t hue) { return fixed ? color : VaryColor(color, hue); }

}  // namespace pyxora
