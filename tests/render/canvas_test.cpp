// The canvas's log of written pixels, which every display presents from: where a frame
// wrote, the rows it spans, when the log gives up, and what forgetting leaves.
#include "render/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pyxora {
namespace {

std::vector<uint32_t> Logged(const Canvas& canvas) {
  return {canvas.Written().begin(), canvas.Written().end()};
}

TEST(CanvasChanges, TheLogHoldsEveryWriteInsideTheSurfaceAndItsRows) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> pixels;
    std::vector<uint32_t> logged;
    int top, bottom;  // rows spanned; equal when none
  } cases[] = {
      {"nothing", {}, {}, 0, 0},
      {"the first pixel", {{0, 0}}, {0}, 0, 1},
      {"the last pixel of the surface", {{129, 19}}, {19 * 130 + 129}, 19, 20},
      {"outside the surface is clipped", {{-1, 3}, {130, 3}, {5, -1}, {5, 20}}, {}, 0, 0},
      {"in the order written, repeats kept", {{60, 18}, {1, 7}, {60, 18}}, {18 * 130 + 60, 7 * 130 + 1, 18 * 130 + 60}, 7, 19},
      {"a pixel written twice in a row is logged once", {{4, 2}, {4, 2}, {5, 2}, {4, 2}}, {264, 265, 264}, 2, 3},
  };
  for (const Case& c : cases) {
    Canvas canvas(130, 20);
    canvas.ForgetChanges();
    for (auto [x, y] : c.pixels) canvas.SetPixel(x, y, RgbColor(9, 9, 9));
    EXPECT_EQ(Logged(canvas), c.logged) << c.name;
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
    canvas.ForgetChanges();
    EXPECT_TRUE(Logged(canvas).empty()) << c.name << ": forgotten";
  }
}

// A new surface and a log past its room (a quarter of the pixels) both mean: present it all.
TEST(CanvasChanges, ANewSizeOrAFullLogMarksEverythingChanged) {
  Canvas canvas(64, 64);  // room for 1024 writes
  EXPECT_TRUE(canvas.AllChanged());
  canvas.ForgetChanges();
  for (int i = 0; i < 1024; ++i) canvas.SetPixel(i % 64, i / 64, RgbColor(1, 1, 1));
  EXPECT_FALSE(canvas.AllChanged()) << "1024 writes fit";
  EXPECT_EQ(canvas.Written().size(), 1024u);
  canvas.SetPixel(0, 63, RgbColor(1, 1, 1));
  EXPECT_TRUE(canvas.AllChanged()) << "the 1025th does not";
  EXPECT_EQ(canvas.WrittenRows().bottom, 64);
  EXPECT_EQ(canvas.WrittenRows().top, 0);
  canvas.ForgetChanges();
  EXPECT_FALSE(canvas.AllChanged());
  EXPECT_TRUE(canvas.Written().empty());
  canvas.SetPixel(0, 63, RgbColor(2, 2, 2));  // the pixel last written before forgetting
  EXPECT_EQ(canvas.Written().size(), 1u);
  canvas.Resize(10, 10);
  EXPECT_TRUE(canvas.AllChanged());
  // Sizes of nothing or less give an empty surface, which takes no writes.
  for (auto [w, h] : {std::pair{0, 0}, {-3, 5}, {5, 0}, {5, -1}}) {
    canvas.Resize(w, h);
    canvas.ForgetChanges();
    canvas.SetPixel(0, 0, RgbColor(1, 1, 1));
    EXPECT_EQ(canvas.Width() * canvas.Height(), 0) << w << "x" << h;
    EXPECT_EQ(canvas.Width(), std::max(w, 0)) << w << "x" << h;
    EXPECT_TRUE(canvas.Written().empty()) << w << "x" << h;
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
  EXPECT_EQ(Logged(canvas), (std::vector<uint32_t>{2 * 200 + 3, 25 * 200 + 150}));
  EXPECT_EQ(canvas.CountLitPixels(), 0u);
}

}  // namespace
}  // namespace pyxora
