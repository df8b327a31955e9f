// The drawing target of every effect: an in-memory 32-bit framebuffer.
// Colours come in as 0x00BBGGRR (red in the lowest byte); pixels are kept as
// 0xFFRRGGBB so a window can present the buffer without converting it.
// Beside the pixels the canvas keeps a log of where it was written since the window last
// presented it, so a frame of a few thousand moving particles costs a few thousand
// pixels on the way to the screen, not the screen.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "base/huge_pages.h"

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

  // SetPixelV: clipped silently outside the surface. Only stores, the pixel and its
  // place at the end of the log: a load of anything kept by place (the old value, a
  // written bit) would wait for memory on every scattered pixel, so whether the value
  // really changed is for the presenter to find out.
  void SetPixel(int32_t x, int32_t y, uint32_t color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const size_t i = static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    pixels_[i] = ToStored(color);
    LogWrite(i);
    drawnSinceClear_ = true;
  }
  // Asks for the memory a SetPixel(x, y) a few pixels from now will write, so that a loop
  // over pixels scattered across the screen does not wait for each in turn.
  void Prefetch(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    __builtin_prefetch(pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x), 1);
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

  // Where the pixels written since the changes were last forgotten lie (y * Width() + x),
  // in the order written, repeats included except straight repeats of one pixel. A frame that writes more than a quarter of
  // the surface's pixels stops the log and counts as AllChanged instead: sending the
  // whole surface is then the cheaper way anyway.
  std::span<const uint32_t> Written() const { return {log_.data(), logged_}; }
  // The rows from the first to the last one written, across the whole width: all of them
  // when AllChanged, none when nothing was written.
  PixelRect WrittenRows() const;
  // After a new size every pixel counts as changed, whatever the log says.
  bool AllChanged() const { return allChanged_; }
  // Everything has been presented: the log is empty, nothing pending.
  void ForgetChanges() {
    logged_ = 0;
    lastLogged_ = kNothingLogged;
    allChanged_ = false;
  }
  // Every pixel is to be presented again (the window lost what it showed).
  void MarkAllChanged() { allChanged_ = true; }

 private:
  // A pixel written again straight away (an erase and a redraw in place) is logged once;
  // without a branch, as about half the writes of a slow particle are such repeats.
  void LogWrite(size_t i) {
    const auto index = static_cast<uint32_t>(i);
    if (logged_ < logCapacity_) {
      log_[logged_] = index;
      logged_ += index != lastLogged_;
      lastLogged_ = index;
    } else {
      allChanged_ = true;
    }
  }
  static uint32_t ToStored(uint32_t c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
  }

  int width_ = 0, height_ = 0;
  std::vector<uint32_t, HugePageAllocator<uint32_t>> pixels_;
  uint32_t foreColor_ = RgbColor(255, 255, 255);
  uint32_t backColor_ = 0;
  std::vector<uint32_t> log_;  // logCapacity_ long
  size_t logged_ = 0, logCapacity_ = 0;
  static constexpr uint32_t kNothingLogged = UINT32_MAX;  // no pixel has this index: see Resize
  uint32_t lastLogged_ = kNothingLogged;
  bool allChanged_ = true;
  // Whether any pixel was written since the last clear, and to what that clear filled the
  // surface: clearing a surface that is still blank costs nothing (the driver's idle
  // passes clear every frame).
  bool drawnSinceClear_ = false;
  uint32_t clearedTo_ = 0;
};

}  // namespace pyxora
