#include "app/platform/change_presenter.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace pyxora {
namespace {

// Stored colours always carry 0xFF in the top byte, so 0 marks a free hash slot.
constexpr uint32_t kFreeSlot = 0;

// How many comparisons ahead the two pixels are fetched.
constexpr size_t kComparisonsAhead = 16;

// Eight block marks (bytes of 0 or 1) as one word.
inline uint64_t MarkWord(const uint8_t* marks, size_t w) {
  uint64_t word;
  std::memcpy(&word, marks + w * sizeof word, sizeof word);
  return std::endian::native == std::endian::little ? word : __builtin_bswap64(word);  // byte k: bit 8 k
}

}  // namespace

PresentStats ChangePresenter::Present(Canvas& canvas, PresentTarget& target) {
  PresentStats stats;
  const int width = canvas.Width(), height = canvas.Height();
  const size_t area = static_cast<size_t>(width) * static_cast<size_t>(height);
  if (width == 0 || height == 0) {
    canvas.ForgetChanges();
    return stats;
  }
  if (canvas.AllChanged() || shown_.size() != area) {
    canvas.ForgetChanges();
    shown_.assign(canvas.Data(), canvas.Data() + area);
    const PixelRect all{0, 0, width, height};
    target.Image(canvas, all);
    target.EndFrame();
    stats.images = 1;
    stats.imagePixels = area;
    return stats;
  }

  const uint32_t* pixels = canvas.Data();
  uint32_t* shown = shown_.data();
  const size_t dense = static_cast<size_t>(target.DenseBlockPixels());
  const size_t markWords = canvas.MarkStride() / sizeof(uint64_t);
  colours_.clear();
  points_.clear();
  rects_.clear();
  previousBand_.clear();
  currentBand_.clear();

  for (int band = 0; band < canvas.Bands(); ++band) {
    uint8_t* marks = canvas.BlockMarks(band);
    // Eight marks at a time: most of a band is untouched.
    uint64_t any = 0;
    for (size_t w = 0; w < markWords; ++w) any |= MarkWord(marks, w);
    if (!any) continue;
    const int top = band * kPresentBlockHeight;
    const int bottom = std::min(top + kPresentBlockHeight, height);
    std::swap(previousBand_, currentBand_);
    currentBand_.clear();
    // The band's written pixels, block by block; then which of them differ from what
    // the screen shows. Both copies are large and the pixels scattered, so the loads
    // are asked for ahead of the comparisons.
    bandPixels_.clear();
    blockColumns_.clear();
    blockEnds_.clear();
    for (size_t w = 0; w < markWords; ++w) {
      // One bit per marked block (the lowest of its byte), lowest column first.
      for (uint64_t marked = MarkWord(marks, w); marked; marked &= marked - 1) {
        const size_t c = w * 8 + static_cast<size_t>(std::countr_zero(marked)) / 8;
        marks[c] = 0;
        uint64_t* block = canvas.WrittenBlock(band, c);
        for (int r = 0; r < bottom - top; ++r) {
          const size_t rowStart = static_cast<size_t>(top + r) * static_cast<size_t>(width) + c * kPresentBlockWidth;
          for (uint64_t bits = block[r]; bits; bits &= bits - 1)
            bandPixels_.push_back(static_cast<uint32_t>(rowStart + static_cast<size_t>(std::countr_zero(bits))));
          block[r] = 0;
        }
        if (blockEnds_.empty() ? bandPixels_.empty() : blockEnds_.back() == bandPixels_.size()) continue;
        blockColumns_.push_back(static_cast<uint32_t>(c));
        blockEnds_.push_back(static_cast<uint32_t>(bandPixels_.size()));
      }
    }
    const size_t written = bandPixels_.size();
    bandChanged_.resize(written);
    for (size_t j = 0; j < written; ++j) {
      if (j + kComparisonsAhead < written) {
        __builtin_prefetch(pixels + bandPixels_[j + kComparisonsAhead]);
        __builtin_prefetch(shown + bandPixels_[j + kComparisonsAhead], 1);
      }
      bandChanged_[j] = pixels[bandPixels_[j]] != shown[bandPixels_[j]];
    }

    // Dense blocks side by side make one run; a block that is not dense, or a column
    // nobody wrote, ends it.
    int runStart = -1, runEnd = -1;  // block columns of the dense run being gathered
    for (size_t k = 0; k < blockColumns_.size(); ++k) {
      const int c = static_cast<int>(blockColumns_[k]);
      const size_t begin = k == 0 ? 0 : blockEnds_[k - 1];
      const size_t end = blockEnds_[k];
      size_t changes = 0;
      for (size_t j = begin; j < end; ++j) changes += bandChanged_[j];
      const bool isDense = changes >= dense && changes > 0;
      if (runStart >= 0 && (!isDense || c != runEnd)) {
        AddDenseRun(runStart * kPresentBlockWidth, std::min(runEnd * kPresentBlockWidth, width), top, bottom);
        runStart = -1;
      }
      if (isDense) {
        if (runStart < 0) runStart = c;
        runEnd = c + 1;
        const size_t left = static_cast<size_t>(c) * kPresentBlockWidth;
        const size_t columns = std::min<size_t>(kPresentBlockWidth, static_cast<size_t>(width) - left);
        for (int y = top; y < bottom; ++y) {
          const size_t rowStart = static_cast<size_t>(y) * static_cast<size_t>(width) + left;
          std::copy(pixels + rowStart, pixels + rowStart + columns, shown + rowStart);
        }
        continue;
      }
      for (size_t j = begin; j < end; ++j) {
        if (!bandChanged_[j]) continue;
        const uint32_t i = bandPixels_[j];
        shown[i] = pixels[i];
        colours_.push_back(pixels[i]);
        points_.push_back({static_cast<int16_t>(i % static_cast<uint32_t>(width)),
                           static_cast<int16_t>(i / static_cast<uint32_t>(width))});
      }
    }
    if (runStart >= 0)
      AddDenseRun(runStart * kPresentBlockWidth, std::min(runEnd * kPresentBlockWidth, width), top, bottom);
  }

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

// Blocks of one band that touch each other go out as one rectangle, and a rectangle
// of the band above with the same columns grows down instead of starting another.
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
