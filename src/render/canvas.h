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
    MarkWritten(x, y);
    drawnSinceClear_ = true;
  }
  // Asks for the memory a SetPixel(x, y) a few pixels from now will write, so that a loop
  // over pixels scattered across the screen does not wait for each in turn.
  void Prefetch(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    __builtin_prefetch(pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x), 1);
    __builtin_prefetch(written_.data() + WrittenIndex(x, y), 1);
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

  // The pixels written since they were last presented, one bit per pixel, kept by
  // blocks of 64 x 8 pixels: bands of 8 rows, each of BlocksPerBand() blocks; a block is
  // 8 words in one cache line, word r for row 8 band + r, bit i for column 64 block + i.
  // A particle's erase and redraw, a pixel or two apart, mostly touch one line, and the
  // presenter reads a block in one go. Per band, one byte per block (MarkStride() bytes,
  // the tail zero) says whether any of its bits may be set, so a pass over the changes
  // skips untouched blocks and bands without reading them. Bytes, not bits: a write
  // only stores them, where a bit would make every write wait for the one before.
  // The presenter zeroes what it has looked at.
  int Bands() const { return (height_ + kBlockHeight - 1) / kBlockHeight; }
  size_t BlocksPerBand() const { return blocksPerBand_; }
  size_t MarkStride() const { return markStride_; }
  uint8_t* BlockMarks(int band) { return blockMarks_.data() + static_cast<size_t>(band) * markStride_; }
  uint64_t* WrittenBlock(int band, size_t block) {
    return written_.data() + writtenOffset_ + (static_cast<size_t>(band) * blocksPerBand_ + block) * kBlockHeight;
  }
  // Whether any pixel of row y may have been written.
  bool RowWritten(int y) const;
  // After a new size every pixel counts as changed, whatever its bits say.
  bool AllChanged() const { return allChanged_; }
  // Everything has been presented: no bit set, nothing pending.
  void ForgetChanges();
  // Every pixel is to be presented again (the window lost what it showed).
  void MarkAllChanged() { allChanged_ = true; }

  static constexpr int kBlockWidth = 64;  // one word of bits
  static constexpr int kBlockHeight = 8;  // one cache line of words

 private:
  size_t WrittenIndex(int32_t x, int32_t y) const {
    const size_t band = static_cast<size_t>(y) / kBlockHeight;
    return writtenOffset_ + (band * blocksPerBand_ + static_cast<size_t>(x) / kBlockWidth) * kBlockHeight +
           static_cast<size_t>(y) % kBlockHeight;
  }
  void MarkWritten(int32_t x, int32_t y) {
    written_[WrittenIndex(x, y)] |= uint64_t{1} << (x & 63);
    blockMarks_[static_cast<size_t>(y) / kBlockHeight * markStride_ + static_cast<size_t>(x) / kBlockWidth] = 1;
  }

  static uint32_t ToStored(uint32_t c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
  }

  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
  uint32_t foreColor_ = RgbColor(255, 255, 255);
  uint32_t backColor_ = 0;
  std::vector<uint64_t> written_;
  size_t writtenOffset_ = 0;  // words before the first block, so blocks start on cache lines
  size_t blocksPerBand_ = 0;
  std::vector<uint8_t> blockMarks_;
  size_t markStride_ = 0;  // BlocksPerBand rounded up to whole words of 8 marks
  bool allChanged_ = true;
  // Whether any pixel was written since the last clear, and to what that clear filled the
  // surface: clearing a surface that is still blank costs nothing (the driver's idle
  // passes clear every frame).
  bool drawnSinceClear_ = false;
  uint32_t clearedTo_ = 0;
};

}  // namespace pyxora
