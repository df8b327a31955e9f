#include "settings/placement.h"

#include <algorithm>
#include <cstdio>

#include "base/number_text.h"
#include "base/numeric.h"
#include "settings/settings.h"

namespace pyxora {

TwipsFactors gTwipsPerPixel;

namespace {

int32_t TwipsX() { return gTwipsPerPixel.x > 0 ? gTwipsPerPixel.x : 15; }
int32_t TwipsY() { return gTwipsPerPixel.y > 0 ? gTwipsPerPixel.y : 15; }

int32_t FieldAt(std::string_view text, size_t start) {
  if (start >= text.size()) return 0;
  return NearestInt32(ValOfText(text.substr(start, 5)));
}

int32_t ToPixels(int32_t twips, int32_t perPixel) { return NearestInt32(static_cast<double>(twips) / perPixel); }
int32_t ToTwips(int32_t pixels, int32_t perPixel) {
  return NearestInt32(static_cast<double>(pixels) * perPixel, pixels < 0 ? INT32_MIN : INT32_MAX);
}

}  // namespace

std::string FormatPlacementNumber(int32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%05d", value);
  return buffer;
}

std::string FormatWindowSize(const WindowRect& twips) {
  return FormatPlacementNumber(std::max(twips.left, 0)) + FormatPlacementNumber(std::max(twips.top, 0)) +
         FormatPlacementNumber(twips.width) + FormatPlacementNumber(twips.height);
}

WindowRect ParseWindowSize(std::string_view text) {
  return {FieldAt(text, 0), FieldAt(text, 5), FieldAt(text, 10), FieldAt(text, 15)};
}

void SavePlacementValues(std::string_view section, WindowShowState state, const WindowRect& pixels) {
  SaveSettingStr(section, "WindowState", state == WindowShowState::Maximised ? 2 : 0);
  if (state == WindowShowState::Minimised) return;
  const WindowRect twips{ToTwips(pixels.left, TwipsX()), ToTwips(pixels.top, TwipsY()),
                         ToTwips(pixels.width, TwipsX()), ToTwips(pixels.height, TwipsY())};
  SaveSettingStr(section, "WindowSize", FormatWindowSize(twips));
}

RestorePlan PlanRestorePlacement(std::string_view section) {
  RestorePlan plan;
  const int16_t state = GetSettingInt(section, "WindowState", -1);
  if (state == -1) {
    plan.centre = true;
    return plan;
  }
  // Any other number is no state a window can take; it is left as it was created.
  if (state >= 0 && state <= 2) plan.state = static_cast<WindowShowState>(state);
  const std::string text = TrimBlanks(GetSettingStr(section, "WindowSize", ""));
  if (text.empty() || state != 0) return plan;
  const WindowRect twips = ParseWindowSize(text);
  plan.rect = WindowRect{ToPixels(twips.left, TwipsX()), ToPixels(twips.top, TwipsY()),
                         ToPixels(twips.width, TwipsX()), ToPixels(twips.height, TwipsY())};
  return plan;
}

bool LiesOutsideScreens(const WindowRect& rect, const std::vector<WindowRect>& screens) {
  const int64_t right = static_cast<int64_t>(rect.left) + std::max(rect.width, 1);
  const int64_t bottom = static_cast<int64_t>(rect.top) + std::max(rect.height, 1);
  for (const WindowRect& s : screens) {
    if (rect.left < static_cast<int64_t>(s.left) + s.width && right > s.left &&
        rect.top < static_cast<int64_t>(s.top) + s.height && bottom > s.top)
      return false;
  }
  return true;
}

WindowRect CentredOn(const WindowRect& screen, int32_t width, int32_t height) {
  return {screen.left + NearestInt32((static_cast<double>(screen.width) - width) * 0.5),
          screen.top + NearestInt32((static_cast<double>(screen.height) - height) * 0.5), width, height};
}

}  // namespace pyxora
