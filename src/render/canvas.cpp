#include "render/canvas.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace pyxora {
namespace {

// How many queued writes ahead the framebuffer's memory is asked for.
constexpr size_t kWritesAhead = 24;

}  // namespace

void Canvas::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  clearedTo_ = ToStored(backColor_);
  const size_t area = static_cast<size_t>(width_) * static_cast<size_t>(height_);
  pixels_.assign(area, clearedTo_);
  queued_ = 0;
  lastQueued_ = kNothingQueued;
  touchedBits_.assign((area + 63) / 64, 0);
  touched_.clear();
  touchedRoom_ = std::max<size_t>(area / 4, 1024);
  touched_.reserve(std::min(touchedRoom_, area));
  allChanged_ = true;
  drawnSinceClear_ = false;
}

void Canvas::SettleQueue() const {
  uint32_t* pixels = pixels_.data();
  const size_t n = queued_;
  size_t j = 0;
  for (; j < n && !allChanged_; ++j) {
    // The pixel and its bit among the touched ones: both are far from the last ones.
    if (j + kWritesAhead < n) {
      const size_t ahead = queue_[j + kWritesAhead].Index();
      __builtin_prefetch(pixels + ahead, 1);
      __builtin_prefetch(touchedBits_.data() + ahead / 64, 1);
    }
    const size_t i = queue_[j].Index();
    const uint32_t before = pixels[i];
    pixels[i] = queue_[j].Stored();
    Touch(i, before);
  }
  // Once everything counts as changed nobody asks what was there before: stores alone,
  // which need not wait for the memory they go to.
  for (; j < n; ++j) {
    if (j + kWritesAhead < n) __builtin_prefetch(pixels + queue_[j + kWritesAhead].Index(), 1);
    pixels[queue_[j].Index()] = queue_[j].Stored();
  }
  queued_ = 0;
  lastQueued_ = kNothingQueued;
}

void Canvas::ForgetChanges() {
  Settle();
  // Only the bits of touched pixels are set: clearing their words clears them all.
  for (const PlacedPixel& p : touched_) touchedBits_[p.Index() / 64] = 0;
  touched_.clear();
  allChanged_ = false;
}

PixelRect Canvas::WrittenRows() const {
  Settle();
  if (allChanged_) return {0, 0, width_, height_};
  if (touched_.empty()) return {};
  size_t first = SIZE_MAX, last = 0;
  for (const PlacedPixel& p : touched_) {
    first = std::min(first, p.Index());
    last = std::max(last, p.Index());
  }
  const auto w = static_cast<size_t>(width_);
  return {0, static_cast<int>(first / w), width_, static_cast<int>(last / w) + 1};
}

uint32_t Canvas::GetPixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const uint32_t p = Data()[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

void Canvas::Clear() {
  Settle();
  const uint32_t background = ToStored(backColor_);
  if (!drawnSinceClear_ && clearedTo_ == background) return;
  // Only the pixels that were not background yet count as written.
  for (int y = 0; y < height_; ++y) {
    const size_t start = static_cast<size_t>(y) * static_cast<size_t>(width_);
    uint32_t* row = pixels_.data() + start;
    for (int x = 0; x < width_; ++x) {
      if (row[x] == background) continue;
      Touch(start + static_cast<size_t>(x), row[x]);
      row[x] = background;
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
  Settle();
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
