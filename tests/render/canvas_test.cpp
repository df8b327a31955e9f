// The canvas's record of written pixels, which every display presents from: where a
// frame wrote and what was there before, the rows it spans, when it gives up, and what
// forgetting leaves; and that queued writes land in the order they were made.
#include "render/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pyxora {
namespace {

struct Noted {
  size_t index;
  uint32_t before;
  bool operator==(const Noted&) const = default;
};

std::vector<Noted> Touched(const Canvas& canvas) {
  std::vector<Noted> noted;
  for (const PlacedPixel& p : canvas.Touched()) noted.push_back({p.Index(), p.Stored()});
  return noted;
}

constexpr uint32_t kBlack = 0xFF000000u;

TEST(CanvasChanges, EveryPixelWrittenIsNotedOnceWithItsValueBeforeAndItsRows) {
  const uint32_t red = 0xFFFF0000u, grey = 0xFF090909u;
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> pixels;  // written grey; (1, 1) was red before
    std::vector<Noted> noted;
    int top, bottom;  // rows spanned; equal when none
  } cases[] = {
      {"nothing", {}, {}, 0, 0},
      {"the first pixel", {{0, 0}}, {{0, kBlack}}, 0, 1},
      {"the last pixel of the surface", {{129, 19}}, {{19 * 130 + 129, kBlack}}, 19, 20},
      {"outside the surface is clipped", {{-1, 3}, {130, 3}, {5, -1}, {5, 20}}, {}, 0, 0},
      {"once each, in the order of first writes", {{60, 18}, {1, 7}, {60, 18}}, {{18 * 130 + 60, kBlack}, {7 * 130 + 1, kBlack}}, 7, 19},
      {"the value before the frame's first write", {{1, 1}, {1, 1}, {2, 1}, {1, 1}}, {{131, red}, {132, kBlack}}, 1, 2},
  };
  for (const Case& c : cases) {
    Canvas canvas(130, 20);
    canvas.SetPixel(1, 1, RgbColor(255, 0, 0));
    canvas.ForgetChanges();
    for (auto [x, y] : c.pixels) canvas.SetPixel(x, y, RgbColor(9, 9, 9));
    EXPECT_EQ(Touched(canvas), c.noted) << c.name;
    const PixelRect rows = canvas.WrittenRows();
    if (c.top == c.bottom) {
      EXPECT_TRUE(rows.Empty()) << c.name;
    } else {
      EXPECT_EQ(rows.left, 0) << c.name;
      EXPECT_EQ(rows.right, 130) << c.name;
      EXPECT_EQ(rows.top, c.top) << c.name;
      EXPECT_EQ(rows.bottom, c.bottom) << c.name;
    }
    EXPECT_FALSE(canvas.AllChanged()) << c.name;
    for (auto [x, y] : c.pixels) {
      if (x >= 0 && y >= 0 && x < 130 && y < 20) {
        EXPECT_EQ(canvas.Data()[y * 130 + x], grey) << c.name;
      }
    }
    canvas.ForgetChanges();
    EXPECT_TRUE(Touched(canvas).empty()) << c.name << ": forgotten";
  }
}

// Writes wait in a queue of a few thousand: whenever the pixels are read, every write is
// in them, the last one to a pixel winning, straight repeats and a full queue included;
// and what was noted before each pixel's first write is what it held then.
TEST(CanvasChanges, QueuedWritesLandInOrderAndTheValuesBeforeAreThoseOfTheLastPresent) {
  Canvas canvas(400, 300);  // written in its top left corner, well under a quarter
  const size_t area = 400 * 300;
  std::vector<uint32_t> model(area, kBlack);
  uint32_t state = 12345;
  auto next = [&state] { return state = state * 1664525u + 1013904223u; };
  for (int frame = 0; frame < 3; ++frame) {
    canvas.ForgetChanges();
    const std::vector<uint32_t> before = model;
    std::vector<size_t> firsts;
    std::vector<bool> seen(area);
    // Past two queues' worth, most pixels more than once, some straight again.
    for (int k = 0; k < 20000; ++k) {
      const uint32_t r = next();
      const int x = static_cast<int>((r >> 8) % 97), y = static_cast<int>((r >> 20) % 61);
      const uint32_t color = next() & 0xFFFFFFu;
      for (uint32_t again = 0; again <= (r & 1); ++again) canvas.SetPixel(x, y, color + again);
      const size_t i = static_cast<size_t>(y) * 400 + static_cast<size_t>(x);
      const uint32_t last = color + (r & 1);
      model[i] = 0xFF000000u | ((last & 0xFFu) << 16) | (last & 0xFF00u) | ((last >> 16) & 0xFFu);
      if (!seen[i]) firsts.push_back(i);
      seen[i] = true;
      if (k == 9999) {
        EXPECT_EQ(canvas.GetPixel(x, y), last) << "read back between writes";
      }
    }
    ASSERT_FALSE(canvas.AllChanged());
    std::vector<Noted> expected;
    for (size_t i : firsts) expected.push_back({i, before[i]});
    EXPECT_EQ(Touched(canvas), expected) << "frame " << frame;
    EXPECT_TRUE(std::equal(model.begin(), model.end(), canvas.Data())) << "frame " << frame;
  }
}

// A new surface and writes to more than a quarter of it (at least 1024 pixels) both mean:
// present it all.
TEST(CanvasChanges, ANewSizeOrTooManyPixelsWrittenMarksEverythingChanged) {
  Canvas canvas(64, 64);  // room for 1024 pixels
  EXPECT_TRUE(canvas.AllChanged());
  canvas.ForgetChanges();
  for (int i = 0; i < 1024; ++i) canvas.SetPixel(i % 64, i / 64, RgbColor(1, 1, 1));
  canvas.SetPixel(5, 0, RgbColor(2, 2, 2));  // one of them again
  EXPECT_FALSE(canvas.AllChanged()) << "1024 pixels fit, however often written";
  EXPECT_EQ(canvas.Touched().size(), 1024u);
  canvas.SetPixel(0, 63, RgbColor(1, 1, 1));
  canvas.SetPixel(1, 63, RgbColor(4, 4, 4));
  EXPECT_TRUE(canvas.AllChanged()) << "the 1025th does not";
  EXPECT_EQ(canvas.WrittenRows().bottom, 64);
  EXPECT_EQ(canvas.WrittenRows().top, 0);
  EXPECT_EQ(canvas.GetPixel(0, 63), RgbColor(1, 1, 1)) << "the writes themselves are kept";
  EXPECT_EQ(canvas.GetPixel(1, 63), RgbColor(4, 4, 4)) << "the writes themselves are kept";
  canvas.ForgetChanges();
  EXPECT_FALSE(canvas.AllChanged());
  EXPECT_TRUE(canvas.Touched().empty());
  // Pixels written before forgetting are noted afresh, with what they hold now.
  canvas.SetPixel(0, 63, RgbColor(2, 2, 2));
  canvas.SetPixel(5, 0, RgbColor(3, 3, 3));
  EXPECT_EQ(Touched(canvas), (std::vector<Noted>{{63 * 64, 0xFF010101u}, {5, 0xFF020202u}}));
  // A new size drops what waits in the queue, and a first write where the last one went
  // is a write like any other.
  canvas.SetPixel(3, 3, RgbColor(5, 5, 5));
  canvas.Resize(64, 10);
  canvas.SetPixel(3, 3, RgbColor(6, 6, 6));
  EXPECT_EQ(canvas.GetPixel(3, 3), RgbColor(6, 6, 6));
  canvas.Resize(10, 10);
  EXPECT_TRUE(canvas.AllChanged());
  // Sizes of nothing or less give an empty surface, which takes no writes.
  for (auto [w, h] : {std::pair{0, 0}, {-3, 5}, {5, 0}, {5, -1}}) {
    canvas.Resize(w, h);
    canvas.ForgetChanges();
    canvas.SetPixel(0, 0, RgbColor(1, 1, 1));
    EXPECT_EQ(canvas.Width() * canvas.Height(), 0) << w << "x" << h;
    EXPECT_EQ(canvas.Width(), std::max(w, 0)) << w << "x" << h;
    EXPECT_TRUE(canvas.Touched().empty()) << w << "x" << h;
    EXPECT_TRUE(canvas.WrittenRows().Empty()) << w << "x" << h;
  }
}

// Large pixel buffers start on a huge-page boundary, so the kernel can back them with
// huge pages; small ones come from the ordinary heap (the sanitizer build checks that
// each is given back the way it was taken).
TEST(CanvasChanges, ScreenSizedPixelsStartOnAHugePageBoundary) {
  Canvas screen(1920, 1080), small(320, 240);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(screen.Data()) % kHugePageBytes, 0u);
  small.Resize(1920, 1080);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(small.Data()) % kHugePageBytes, 0u);
  small.Resize(16, 16);
  EXPECT_EQ(small.Data()[255], 0xFF000000u);
}

// Reading back: the colour as drawn inside, black at and past every edge.
TEST(CanvasChanges, PixelsReadBackAsDrawnAndBlackOutside) {
  Canvas canvas(30, 20);
  canvas.SetPixel(29, 19, RgbColor(1, 2, 3));
  canvas.SetPixel(0, 0, RgbColor(200, 100, 50));
  canvas.SetPixel(0, 1, RgbColor(9, 9, 9));  // where reading (30, 0) as a row-major index would land
  EXPECT_EQ(canvas.GetPixel(29, 19), RgbColor(1, 2, 3));
  EXPECT_EQ(canvas.GetPixel(0, 0), RgbColor(200, 100, 50));
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {30, 0}, {0, 20}, {30, 19}, {29, 20}})
    EXPECT_EQ(canvas.GetPixel(x, y), 0u) << x << "," << y;
}

TEST(CanvasChanges, ClearingWritesOnlyThePixelsThatWereNotBackground) {
  Canvas canvas(200, 30);
  canvas.SetPixel(150, 25, RgbColor(255, 0, 0));
  canvas.SetPixel(3, 2, RgbColor(0, 255, 0));
  canvas.SetPixel(4, 9, 0);  // written, but black already
  canvas.ForgetChanges();
  canvas.Clear();
  EXPECT_EQ(Touched(canvas), (std::vector<Noted>{{2 * 200 + 3, 0xFF00FF00u}, {25 * 200 + 150, 0xFFFF0000u}}));
  EXPECT_EQ(canvas.CountLitPixels(), 0u);
}

// The outline is inscribed in its box (right and bottom exclusive): it reaches each side,
// leaves no row or column of the box without a pixel, stays hollow, is clipped by the
// surface, and takes the corners in either order.
TEST(CanvasDrawing, AnEllipseIsTheOutlineInscribedInItsBox) {
  struct Case {
    int left, top, right, bottom;
    int x0, y0, x1, y1;  // the lit pixels' bounds, inclusive; x1 < x0 when none
  } cases[] = {
      {10, 20, 21, 27, 10, 20, 20, 26},
      {21, 27, 10, 20, 10, 20, 20, 26},  // corners swapped
      {5, 5, 6, 6, 5, 5, 5, 5},          // a single pixel
      {5, 5, 5, 9, 0, 0, -1, 0},         // no width: nothing
      {-3, -4, 4, 5, 0, 0, 3, 4},        // past the surface's corner
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " " << c.right << "," << c.bottom);
    Canvas canvas(40, 40);
    canvas.Ellipse(c.left, c.top, c.right, c.bottom);
    int x0 = 40, y0 = 40, x1 = -1, y1 = -1;
    std::vector<int> perRow(40), perColumn(40);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x)
        if (canvas.GetPixel(x, y) == RgbColor(255, 255, 255)) {
          x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
          ++perRow[y], ++perColumn[x];
        } else {
          ASSERT_EQ(canvas.GetPixel(x, y), 0u);
        }
    if (c.x1 < c.x0) {
      EXPECT_EQ(x1, -1);
      continue;
    }
    EXPECT_EQ(x0, c.x0);
    EXPECT_EQ(y0, c.y0);
    EXPECT_EQ(x1, c.x1);
    EXPECT_EQ(y1, c.y1);
    for (int y = y0; y <= y1; ++y) EXPECT_GT(perRow[y], 0) << "row " << y;
    for (int x = x0; x <= x1; ++x) EXPECT_GT(perColumn[x], 0) << "column " << x;
  }
  Canvas canvas(40, 40);
  canvas.Ellipse(10, 20, 21, 27);
  EXPECT_EQ(canvas.GetPixel(15, 23), 0u) << "hollow";
  EXPECT_EQ(canvas.GetPixel(10, 23), RgbColor(255, 255, 255)) << "the middle of the left side";
  EXPECT_EQ(canvas.GetPixel(20, 23), RgbColor(255, 255, 255)) << "the middle of the right side";
  EXPECT_EQ(canvas.GetPixel(15, 20), RgbColor(255, 255, 255)) << "the middle of the top";
  EXPECT_EQ(canvas.GetPixel(15, 26), RgbColor(255, 255, 255)) << "the middle of the bottom";
  canvas.Ellipse(30, 10, 50, 20);  // its middle column is the surface's last
  EXPECT_EQ(canvas.GetPixel(39, 10), RgbColor(255, 255, 255)) << "the top at the right edge";
  EXPECT_EQ(canvas.GetPixel(39, 19), RgbColor(255, 255, 255)) << "the bottom at the right edge";
}

}  // namespace
}  // namespace pyxora
