// The drawing target of every effect: an in-memory 32-bit framebuffer.
// Colours come in as 0x00BBGGRR (red in the lowest byte); pixels are kept as
// 0xFFRRGGBB so a window can present the buffer without converting it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pyxora {

inline constexpr uint32_t RgbColor(int red, int green, int blue) {
  auto channel = [](int v) { return static_cast<uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
  return channel(red) | (channel(green) << 8) | (channel(blue) << 16);
}
inline constexpr int RedOf(uint32_t color) { return static_cast<int>(color & 0xFF); }
inline constexpr int GreenOf(uint32_t color) { return static_cast<int>((color >> 8) & 0xFF); }
inline constexpr int BlueOf(uint32_t color) { return static_cast<int>((color >> 16) & 0xFF); }

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  bool Empty() const { return right <= left || bottom <= top; }
};

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height) { Resize(width, height); }

  // New size; the content is cleared to the background colour.
  void Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // SetPixelV: clipped silently outside the surface.
  void SetPixel(int32_t x, int32_t y, uint32_t color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = ToStored(color);
    Touch(x, y);
  }
  // 0x00BBGGRR; black outside the surface.
  uint32_t GetPixel(int32_t x, int32_t y) const;

  // Unfilled outline in the foreground colour inscribed in the rectangle, pen width 1,
  // right and bottom exclusive.
  void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom);
  void Clear();
  // Reset before each effect run: black background, white foreground, cleared.
  void Prepare();

  void SetForeColor(uint32_t color) { foreColor_ = color; }
  void SetBackColor(uint32_t color) { backColor_ = color; }
  uint32_t ForeColor() const { return foreColor_; }
  uint32_t BackColor() const { return backColor_; }

  // Pixels as 0xFFRRGGBB rows, Width() per row, for presenting and saving.
  const uint32_t* Data() const { return pixels_.data(); }
  // The bounding rectangle of everything drawn since the last call.
  PixelRect TakeDirtyRect();
  size_t CountLitPixels() const;

 private:
  static uint32_t ToStored(uint32_t c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
  }
  void Touch(int x, int y) {
    dirty_.left = std::min(dirty_.left, x);
    dirty_.top = std::min(dirty_.top, y);
    dirty_.right = std::max(dirty_.right, x + 1);
    dirty_.bottom = std::max(dirty_.bottom, y + 1);
  }
  void MarkAllDirty() { dirty_ = {0, 0, width_, height_}; }
  void ResetDirty();

  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
  uint32_t foreColor_ = RgbColor(255, 255, 255);
  uint32_t backColor_ = 0;
  PixelRect dirty_{};
};

}  // namespace pyxora
