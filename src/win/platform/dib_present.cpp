#include "win/platform/dib_present.h"

#include <algorithm>
#include <cstring>

namespace pyxora {

// Writes the changes into the DIB and notes the blocks to copy.
class DibPresenter::Target : public PresentTarget {
 public:
  Target(uint32_t* bits, int width) : bits_(bits), width_(width) {}

  void Points(uint32_t pixel, const PresentPoint* points, size_t count) override {
    for (size_t i = 0; i < count; ++i) {
      bits_[static_cast<size_t>(points[i].y) * static_cast<size_t>(width_) + static_cast<size_t>(points[i].x)] = pixel;
      blocks_.push_back({points[i].y / kPresentBlockHeight, points[i].x / kPresentBlockWidth});
    }
  }
  void Image(const Canvas& canvas, const PixelRect& rect) override {
    const uint32_t* pixels = canvas.Data();
    for (int y = rect.top; y < rect.bottom; ++y) {
      const size_t row = static_cast<size_t>(y) * static_cast<size_t>(width_);
      std::memcpy(bits_ + row + rect.left, pixels + row + rect.left, static_cast<size_t>(rect.Width()) * 4);
    }
    rects_.push_back(rect);
  }
  // Neighbouring blocks of a band make one rectangle.
  const std::vector<PixelRect>& Rects() {
    std::sort(blocks_.begin(), blocks_.end());
    blocks_.erase(std::unique(blocks_.begin(), blocks_.end()), blocks_.end());
    for (size_t i = 0; i < blocks_.size();) {
      size_t j = i + 1;
      while (j < blocks_.size() && blocks_[j].row == blocks_[i].row && blocks_[j].column == blocks_[j - 1].column + 1) ++j;
      const int top = blocks_[i].row * kPresentBlockHeight;
      rects_.push_back({blocks_[i].column * kPresentBlockWidth, top, (blocks_[j - 1].column + 1) * kPresentBlockWidth,
                        top + kPresentBlockHeight});
      i = j;
    }
    return rects_;
  }

 private:
  struct Block {
    int row, column;
    auto operator<=>(const Block&) const = default;
  };
  uint32_t* bits_;
  int width_;
  std::vector<Block> blocks_;
  std::vector<PixelRect> rects_;
};

DibPresenter::~DibPresenter() { Resize(0, 0); }

void DibPresenter::Resize(int width, int height) {
  if (memory_) {
    SelectObject(memory_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(memory_);
    memory_ = nullptr;
    bitmap_ = nullptr;
    bits_ = nullptr;
  }
  width_ = height_ = 0;
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like the canvas
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  memory_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!memory_ || !bitmap_) {
    if (bitmap_) DeleteObject(bitmap_);
    if (memory_) DeleteDC(memory_);
    memory_ = nullptr;
    bitmap_ = nullptr;
    return;
  }
  previous_ = SelectObject(memory_, bitmap_);
  bits_ = static_cast<uint32_t*>(bits);
  width_ = width;
  height_ = height;
}

PresentStats DibPresenter::Present(Canvas& canvas, HWND window) {
  if (canvas.Width() != width_ || canvas.Height() != height_) {
    Resize(canvas.Width(), canvas.Height());
    canvas.MarkAllChanged();
  }
  if (!bits_) {
    canvas.ForgetChanges();
    return {};
  }
  Target target(bits_, width_);
  const PresentStats stats = changes_.Present(canvas, target);
  if (!stats.Pixels() || !IsWindow(window)) return stats;
  HWND owner = nullptr;
  HDC dc = WindowDc(window, owner);
  if (!dc) return stats;
  for (const PixelRect& r : target.Rects()) {
    const int right = std::min(r.right, width_), bottom = std::min(r.bottom, height_);
    BitBlt(dc, r.left, r.top, right - r.left, bottom - r.top, memory_, r.left, r.top, SRCCOPY);
  }
  ReleaseDC(owner, dc);
  return stats;
}

HDC DibPresenter::WindowDc(HWND window, HWND& owner) const {
  HWND parent = throughParent_ ? GetParent(window) : nullptr;
  if (!parent) {
    owner = window;
    return GetDC(window);
  }
  // A cache context without the parent's style: a parent that clips its children would
  // otherwise clip this one out.
  owner = parent;
  HDC dc = GetDCEx(parent, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!dc) return nullptr;
  POINT origin{0, 0};
  MapWindowPoints(window, parent, &origin, 1);
  RECT client{};
  GetClientRect(window, &client);
  SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  return dc;
}

void DibPresenter::Repaint(HWND window, HDC paintDc, const RECT& area) const {
  if (!throughParent_) {
    Paint(paintDc, area);
    return;
  }
  HWND owner = nullptr;
  HDC dc = WindowDc(window, owner);
  if (!dc) return;
  Paint(dc, area);
  ReleaseDC(owner, dc);
}

void DibPresenter::Paint(HDC target, const RECT& area) const {
  if (memory_) BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, memory_, area.left,
                      area.top, SRCCOPY);
  // Outside the DIB (a window grown since the driver started) stays black.
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  if (area.right > width_) {
    const RECT right{std::max<LONG>(area.left, width_), area.top, area.right, area.bottom};
    FillRect(target, &right, black);
  }
  if (area.bottom > height_) {
    const RECT below{area.left, std::max<LONG>(area.top, height_), area.right, area.bottom};
    FillRect(target, &below, black);
  }
}

}  // namespace pyxora
