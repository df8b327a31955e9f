#include "render/change_presenter.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <span>

namespace pyxora {
namespace {

// Stored colours always carry 0xFF in the top byte, so 0 marks a free hash slot.
constexpr uint32_t kFreeSlot = 0;

// How many comparisons ahead the pixels are fetched.
constexpr size_t kComparisonsAhead = 32;

}  // namespace

PresentStats ChangePresenter::Present(Canvas& canvas, PresentTarget& target) {
  PresentStats stats;
  const int width = canvas.Width(), height = canvas.Height();
  const size_t area = static_cast<size_t>(width) * static_cast<size_t>(height);
  if (width == 0 || height == 0) {
    canvas.ForgetChanges();
    return stats;
  }
  const size_t blocksAcross = (static_cast<size_t>(width) + kPresentBlockWidth - 1) / kPresentBlockWidth;
  const size_t blocks = blocksAcross * ((static_cast<size_t>(height) + kPresentBlockHeight - 1) / kPresentBlockHeight);
  if (canvas.AllChanged() || blockChanges_.size() != blocks) {
    canvas.ForgetChanges();
    blockChanges_.assign(blocks, 0);
    const PixelRect all{0, 0, width, height};
    target.Image(canvas, all);
    target.EndFrame();
    stats.images = 1;
    stats.imagePixels = area;
    return stats;
  }

  const uint32_t* pixels = canvas.Data();
  const uint32_t dense = static_cast<uint32_t>(std::max(target.DenseBlockPixels(), 1));
  const std::span<const PlacedPixel> touched = canvas.Touched();
  const auto w = static_cast<uint32_t>(width);
  changedBlock_.clear();
  denseBlocks_.clear();
  colours_.clear();
  points_.clear();

  // Which written pixels differ from what they were when the screen was last brought up
  // to date: the screen shows exactly that. The list says where the scattered loads go,
  // so they are asked for ahead; what a changed pixel needs later is kept now, while it
  // is at hand.
  const size_t n = touched.size();
  for (size_t j = 0; j < n; ++j) {
    if (j + kComparisonsAhead < n) __builtin_prefetch(pixels + touched[j + kComparisonsAhead].Index());
    const auto i = static_cast<uint32_t>(touched[j].Index());
    const uint32_t pixel = pixels[i];
    if (pixel == touched[j].Stored()) continue;
    const uint32_t x = i % w, y = i / w;
    const auto block = static_cast<uint32_t>(y / kPresentBlockHeight * blocksAcross + x / kPresentBlockWidth);
    colours_.push_back(pixel);
    points_.push_back({static_cast<int16_t>(x), static_cast<int16_t>(y)});
    changedBlock_.push_back(block);
    if (++blockChanges_[block] == dense) denseBlocks_.push_back(block);
  }
  // Pixels of a crowded block go out with the block; the rest as points.
  if (!denseBlocks_.empty()) {
    size_t kept = 0;
    // Every point is copied and only the ones kept count: whether a point lies in a
    // crowded block follows no pattern a branch could guess.
    for (size_t k = 0; k < points_.size(); ++k) {
      colours_[kept] = colours_[k];
      points_[kept] = points_[k];
      kept += blockChanges_[changedBlock_[k]] < dense;
    }
    colours_.resize(kept);
    points_.resize(kept);
  }
  for (uint32_t block : changedBlock_) blockChanges_[block] = 0;
  canvas.ForgetChanges();

  GatherDenseRuns(width, height, blocksAcross);
  for (const PixelRect& rect : rects_) {
    target.Image(canvas, rect);
    stats.imagePixels += static_cast<size_t>(rect.Width()) * static_cast<size_t>(rect.Height());
  }
  stats.images = rects_.size();
  if (!points_.empty()) {
    GroupByColour();
    for (size_t g = 0; g < groupColour_.size(); ++g)
      target.Points(groupColour_[g], grouped_.data() + groupStart_[g], groupStart_[g + 1] - groupStart_[g]);
    stats.points = points_.size();
    stats.colours = groupColour_.size();
  }
  if (stats.Pixels()) target.EndFrame();
  return stats;
}

// Crowded blocks side by side in a band make one rectangle; a block that is not
// crowded ends it.
void ChangePresenter::GatherDenseRuns(int width, int height, size_t blocksAcross) {
  rects_.clear();
  previousBand_.clear();
  currentBand_.clear();
  std::sort(denseBlocks_.begin(), denseBlocks_.end());
  size_t band = SIZE_MAX;
  for (size_t k = 0; k < denseBlocks_.size();) {
    if (denseBlocks_[k] / blocksAcross != band) {
      band = denseBlocks_[k] / blocksAcross;
      std::swap(previousBand_, currentBand_);
      currentBand_.clear();
    }
    const size_t first = denseBlocks_[k] % blocksAcross;
    size_t end = first + 1;
    for (++k; k < denseBlocks_.size() && denseBlocks_[k] == band * blocksAcross + end; ++k) ++end;
    const int top = static_cast<int>(band) * kPresentBlockHeight;
    AddDenseRun(static_cast<int>(first) * kPresentBlockWidth, std::min(static_cast<int>(end) * kPresentBlockWidth, width),
                top, std::min(top + kPresentBlockHeight, height));
  }
}

// A rectangle of the band above with the same columns grows down instead of starting another.
void ChangePresenter::AddDenseRun(int left, int right, int top, int bottom) {
  for (size_t index : previousBand_) {
    PixelRect& above = rects_[index];
    if (above.left == left && above.right == right && above.bottom == top) {
      above.bottom = bottom;
      currentBand_.push_back(index);
      return;
    }
  }
  rects_.push_back({left, top, right, bottom});
  currentBand_.push_back(rects_.size() - 1);
}

// A counting sort by colour through a small open-addressing table: linear in the
// number of points, whatever the number of colours.
void ChangePresenter::GroupByColour() {
  size_t slots = 1024;
  for (;;) {
    slotColour_.assign(slots, kFreeSlot);
    slotGroup_.resize(slots);
    groupColour_.clear();
    groupOf_.resize(colours_.size());
    const int shift = 32 - std::countr_zero(slots);
    bool full = false;
    for (size_t i = 0; i < colours_.size() && !full; ++i) {
      const uint32_t colour = colours_[i];
      size_t slot = (colour * 0x9E3779B1u) >> shift;
      while (slotColour_[slot] != kFreeSlot && slotColour_[slot] != colour) slot = (slot + 1) & (slots - 1);
      if (slotColour_[slot] == kFreeSlot) {
        slotColour_[slot] = colour;
        slotGroup_[slot] = static_cast<uint32_t>(groupColour_.size());
        groupColour_.push_back(colour);
        full = groupColour_.size() * 2 > slots;  // keep probes short: grow and start again
      }
      groupOf_[i] = slotGroup_[slot];
    }
    if (!full) break;
    slots *= 2;
  }
  groupStart_.assign(groupColour_.size() + 1, 0);
  for (uint32_t group : groupOf_) ++groupStart_[group + 1];
  for (size_t g = 1; g < groupStart_.size(); ++g) groupStart_[g] += groupStart_[g - 1];
  grouped_.resize(points_.size());
  std::vector<uint32_t>& next = slotGroup_;  // reused as the fill position of each group
  next.assign(groupStart_.begin(), groupStart_.end() - 1);
  for (size_t i = 0; i < points_.size(); ++i) grouped_[next[groupOf_[i]]++] = points_[i];
}

}  // namespace pyxora
