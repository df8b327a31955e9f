// Where an ordinary window stood: "WindowState" (2 maximised, else 0) and the 20-digit
// "WindowSize" text (left, top, width, height in twips, five digits each) in the
// window's own section. The windows apply what these functions decide.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pyxora {

struct WindowRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool operator==(const WindowRect&) const = default;
};

// The screen's twips per pixel, read at start-up: 15, the 96-dpi convention, so stored
// window sizes keep their twips text. The preview's surface also measures in twips.
struct TwipsFactors {
  int16_t x = 15;
  int16_t y = 15;
};
extern TwipsFactors gTwipsPerPixel;

enum class WindowShowState : int16_t { Normal = 0, Minimised = 1, Maximised = 2 };

// At least five digits, zero-filled; larger numbers take more digits.
std::string FormatPlacementNumber(int32_t value);
// left, top, width, height in twips; a left or top below 0 is written as 00000.
std::string FormatWindowSize(const WindowRect& twips);
// Five characters per field, each read by its leading number (0 when absent or short).
WindowRect ParseWindowSize(std::string_view text);

// Stores a window's state and, unless it is minimised, its rectangle (pixels here,
// twips in the store).
void SavePlacementValues(std::string_view section, WindowShowState state, const WindowRect& pixels);

// What a window does when it opens.
struct RestorePlan {
  bool centre = false;                  // never saved: centre it
  std::optional<WindowShowState> state; // the stored state, when it is one
  std::optional<WindowRect> rect;       // a normal window's stored rectangle, in pixels
};
RestorePlan PlanRestorePlacement(std::string_view section);

// Whether a rectangle shares no pixel with any of the screens. A zero size counts
// as one pixel, since the window system's minimum size applies.
bool LiesOutsideScreens(const WindowRect& rect, const std::vector<WindowRect>& screens);
// The position that centres a window of the given size on a screen.
WindowRect CentredOn(const WindowRect& screen, int32_t width, int32_t height);

}  // namespace pyxora
