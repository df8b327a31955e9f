// The drawing target of every effect: an in-memory 32-bit framebuffer.
// Colours come in as 0x00BBGGRR (red in the lowest byte); pixels are kept as
// 0xFFRRGGBB so a window can present the buffer without converting it.
// Beside the pixels the canvas keeps one bit per pixel that says whether it was written
// since the window last presented it, so a frame of a few thousand moving particles
// costs a few thousand pixels on the way to the screen, not the screen.
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
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height) { Resize(width, height); }

  // New size; the content is cleared to the background colour.
  void Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // SetPixelV: clipped silently outside the surface. Only stores: a load of the old
  // value would wait for memory on every scattered pixel, so whether the value really
  // changed is for the presenter to find out.
  void SetPixel(int32_t x, int32_t y, uint32_t color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = ToStored(color);
    written_[static_cast<size_t>(y) * writtenWordsPerRow_ + static_cast<size_t>(x >> 6)] |= uint64_t{1} << (x & 63);
    rowsWritten_[static_cast<size_t>(y)] = 1;
    drawnSinceClear_ = true;
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
  size_t CountLitPixels() const;

  // The pixels written since they were last presented: one bit per pixel, Height()
  // rows of WrittenWordsPerRow() words; bit i of word j stands for column 64 j + i.
  // The presenter zeroes the words it has looked at.
  uint64_t* WrittenWords() { return written_.data(); }
  const uint64_t* WrittenWords() const { return written_.data(); }
  size_t WrittenWordsPerRow() const { return writtenWordsPerRow_; }
  // Per row: whether any of its bits may be set (the presenter skips the others and
  // zeroes these with the bits).
  uint8_t* RowsWritten() { return rowsWritten_.data(); }
  // After a new size every pixel counts as changed, whatever its bits say.
  bool AllChanged() const { return allChanged_; }
  // Everything has been presented: no bit set, nothing pending.
  void ForgetChanges();
  // Every pixel is to be presented again (the window lost what it showed).
  void MarkAllChanged() { allChanged_ = true; }

 private:
  static uint32_t ToStored(uint32_t c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
  }

  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
  uint32_t foreColor_ = RgbColor(255, 255, 255);
  uint32_t backColor_ = 0;
  std::vector<uint64_t> written_;
  size_t writtenWordsPerRow_ = 0;
  std::vector<uint8_t> rowsWritten_;
  bool allChanged_ = true;
  // Whether any pixel was written since the last clear, and to what that clear filled the
  // surface: clearing a surface that is still blank costs nothing (the driver's idle
  // passes clear every frame).
  bool drawnSinceClear_ = false;
  uint32_t clearedTo_ = 0;
};

}  // namespace pyxora
