#include "render/canvas.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace pyxora {

void Canvas::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  clearedTo_ = ToStored(backColor_);
  pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), clearedTo_);
  const size_t area = pixels_.size();
  // Indices are 32-bit; a surface too large for them (none a screen has) presents whole.
  logCapacity_ = area > UINT32_MAX ? 0 : std::max<size_t>(area / 4, 1024);
  log_.assign(logCapacity_, 0);
  logged_ = 0;
  lastLogged_ = kNothingLogged;
  allChanged_ = true;
  drawnSinceClear_ = false;
}

PixelRect Canvas::WrittenRows() const {
  if (allChanged_) return {0, 0, width_, height_};
  if (logged_ == 0) return {};
  uint32_t first = UINT32_MAX, last = 0;
  for (size_t k = 0; k < logged_; ++k) {
    first = std::min(first, log_[k]);
    last = std::max(last, log_[k]);
  }
  const auto w = static_cast<uint32_t>(width_);
  return {0, static_cast<int>(first / w), width_, static_cast<int>(last / w) + 1};
}

uint32_t Canvas::GetPixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const uint32_t p = pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

void Canvas::Clear() {
  const uint32_t background = ToStored(backColor_);
  if (!drawnSinceClear_ && clearedTo_ == background) return;
  // Only the pixels that were not background yet count as changed.
  for (int y = 0; y < height_; ++y) {
    uint32_t* row = pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
    for (int x = 0; x < width_; ++x) {
      if (row[x] == background) continue;
      row[x] = background;
      LogWrite(static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x));
    }
  }
  drawnSinceClear_ = false;
  clearedTo_ = background;
}

void Canvas::Prepare() {
  backColor_ = 0;
  foreColor_ = RgbColor(255, 255, 255);
  Clear();
}

size_t Canvas::CountLitPixels() const {
  const uint32_t black = ToStored(0);
  return static_cast<size_t>(std::count_if(pixels_.begin(), pixels_.end(), [&](uint32_t p) { return p != black; }));
}

void Canvas::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (right - left < 1 || bottom - top < 1) return;
  // The outline runs through the pixel centres of the inclusive box [left, right-1] x [top, bottom-1].
  const double cx = (static_cast<double>(left) + right - 1) * 0.5;
  const double cy = (static_cast<double>(top) + bottom - 1) * 0.5;
  const double a = (static_cast<double>(right) - left - 1) * 0.5;
  const double b = (static_cast<double>(bottom) - top - 1) * 0.5;
  const uint32_t color = foreColor_;

  // Walk columns for the flat parts and rows for the steep parts, so the outline has no gaps.
  const int32_t x0 = std::max(left, 0), x1 = std::min(right - 1, width_ - 1);
  for (int32_t x = x0; x <= x1; ++x) {
    const double u = a > 0 ? (x - cx) / a : 0.0;
    const double h = b * std::sqrt(std::max(0.0, 1.0 - u * u));
    SetPixel(x, static_cast<int32_t>(std::lround(cy - h)), color);
    SetPixel(x, static_cast<int32_t>(std::lround(cy + h)), color);
  }
  const int32_t y0 = std::max(top, 0), y1 = std::min(bottom - 1, height_ - 1);
  for (int32_t y = y0; y <= y1; ++y) {
    const double v = b > 0 ? (y - cy) / b : 0.0;
    const double w = a * std::sqrt(std::max(0.0, 1.0 - v * v));
    SetPixel(static_cast<int32_t>(std::lround(cx - w)), y, color);
    SetPixel(static_cast<int32_t>(std::lround(cx + w)), y, color);
  }
}

}  // namespace pyxora
