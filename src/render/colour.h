// The shared colour model: a 360-entry hue wheel built from three channel levels,
// the galaxy's 80-entry star palette, and the per-source colour schemes
// (random intensity, hue wedge, or fixed). Colours are 0x00BBGGRR.
#pragma once

#include <array>
#include <cstdint>

namespace pyxora {

struct ColorSettings {
  int16_t ColorRed = 100;
  int16_t ColorGrn = 100;
  int16_t ColorBlu = 100;
  int16_t ColorPctInt = 0;
  int16_t ColorPctHue = 100;
  int16_t ColorHueWheel = 60;
  int16_t HueStart = 0;
};

extern ColorSettings gColorSettings;
extern std::array<uint32_t, 360> HueWheel;
extern std::array<uint32_t, 80> StarPalette;

// A particle source's colour scheme, chosen once by PickPixelColor.
struct SourceColor {
  uint32_t color = 0;
  bool fixed = false;
  int16_t hue = 0;
};

void LoadColorSettings();
uint32_t HueToRgb(int16_t hue, int16_t floor, int16_t redAmp, int16_t greenAmp, int16_t blueAmp);
void BuildHueWheel();
void BuildStarPalette();  // after BuildHueWheel
void PickPixelColor(uint32_t& color, bool& fixed, int16_t& hue);
SourceColor PickPixelColor();
uint32_t VaryColor(uint32_t color, int16_t hue);
uint32_t ResolveColor(bool fixed, uint32_t color, int16_t hue);
inline uint32_t ResolveColor(const SourceColor& source) { return ResolveColor(source.fixed, source.color, source.hue); }

}  // namespace pyxora
