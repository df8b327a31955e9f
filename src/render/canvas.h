// The drawing target of every effect: an in-memory 32-bit framebuffer.
// Colours come in as 0x00BBGGRR (red in the lowest byte); pixels are kept as
// 0xFFRRGGBB so a window can present the buffer without converting it.
// A write is queued in a small buffer and reaches the framebuffer a few thousand writes
// later, in one pass that asks for the memory of the writes ahead: particles land
// scattered over megabytes, and a store straight into the framebuffer would wait for
// memory on each one. That pass also notes every pixel's value before its first write
// since the window last presented the surface, so presenting costs the pixels that
// changed, not the screen.
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

// A pixel's place on the surface (y * width + x) and a stored colour, in one word.
class PlacedPixel {
 public:
  PlacedPixel() = default;
  PlacedPixel(size_t index, uint32_t stored) : word_(static_cast<uint64_t>(index) << 24 | (stored & 0xFFFFFFu)) {}
  size_t Index() const { return static_cast<size_t>(word_ >> 24); }
  uint32_t Stored() const { return 0xFF000000u | static_cast<uint32_t>(word_ & 0xFFFFFFu); }

 private:
  uint64_t word_ = 0;
};

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height) { Resize(width, height); }

  // New size; the content is cleared to the background colour.
  void Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // SetPixelV: clipped silently outside the surface. A pixel written again straight away
  // (an erase and a redraw in place, about half the writes of a slow particle) takes the
  // place of its first write in the queue, without a branch.
  void SetPixel(int32_t x, int32_t y, uint32_t color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const size_t i = static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    const size_t place = queued_ - (i == lastQueued_);
    queue_[place] = PlacedPixel(i, ToStored(color));
    queued_ = place + 1;
    lastQueued_ = i;
    drawnSinceClear_ = true;
    if (queued_ == kQueueLength) Settle();
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

  // Pixels as 0xFFRRGGBB rows, Width() per row, for presenting and saving; every write
  // made so far is in them.
  const uint32_t* Data() const {
    Settle();
    return pixels_.data();
  }
  size_t CountLitPixels() const;

  // Every pixel written since the changes were last forgotten, once each, in the order of
  // its first write, with the value it had before that write: the pixel changed when
  // Data() holds another value now. A frame that writes more than a quarter of the
  // surface's pixels stops noting them and counts as AllChanged instead: sending the
  // whole surface is then the cheaper way anyway.
  std::span<const PlacedPixel> Touched() const {
    Settle();
    return {touched_.data(), touched_.size()};
  }
  // The rows from the first to the last one written, across the whole width: all of them
  // when AllChanged, none when nothing was written.
  PixelRect WrittenRows() const;
  // After a new size every pixel counts as changed, whatever was written.
  bool AllChanged() const {
    Settle();
    return allChanged_;
  }
  // Everything has been presented: nothing counts as written any more.
  void ForgetChanges();
  // Every pixel is to be presented again (the window lost what it showed).
  void MarkAllChanged() { allChanged_ = true; }

 private:
  // Room for 8192 queued writes (64 KB), which stay in the processor's nearest caches.
  static constexpr size_t kQueueLength = 8192;
  static constexpr size_t kNothingQueued = SIZE_MAX;  // no pixel has this index

  // Puts the queued writes into the framebuffer, in the order they were made.
  void Settle() const {
    if (queued_) SettleQueue();
  }
  void SettleQueue() const;
  // Notes the pixel's value before its first write since the changes were forgotten.
  [[gnu::always_inline]] void Touch(size_t i, uint32_t before) const {
    if (allChanged_) return;
    uint64_t& word = touchedBits_[i / 64];
    const uint64_t bit = uint64_t{1} << (i % 64);
    if (word & bit) return;
    if (touched_.size() == touchedRoom_) {
      allChanged_ = true;
      return;
    }
    word |= bit;
    touched_.emplace_back(i, before);
  }
  static uint32_t ToStored(uint32_t c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
  }

  int width_ = 0, height_ = 0;
  // The framebuffer, the queue and what was touched are brought up to date by readers
  // too: they change only when they are read, never in what a reader sees.
  mutable std::vector<uint32_t, HugePageAllocator<uint32_t>> pixels_;
  uint32_t foreColor_ = RgbColor(255, 255, 255);
  uint32_t backColor_ = 0;
  std::vector<PlacedPixel> queue_ = std::vector<PlacedPixel>(kQueueLength);
  mutable size_t queued_ = 0;
  mutable size_t lastQueued_ = kNothingQueued;
  mutable std::vector<uint64_t> touchedBits_;  // a bit per pixel: in touched_
  mutable std::vector<PlacedPixel> touched_;   // index and the value before
  size_t touchedRoom_ = 0;
  mutable bool allChanged_ = true;
  // Whether any pixel was written since the last clear, and to what that clear filled the
  // surface: clearing a surface that is still blank costs nothing (the driver's idle
  // passes clear every frame).
  bool drawnSinceClear_ = false;
  uint32_t clearedTo_ = 0;
};

}  // namespace pyxora
