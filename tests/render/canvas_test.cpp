// The canvas's record of written pixels, which every display presents from: which
// rows a frame wrote, at the edges of its blocks, and what forgetting them leaves.
#include "render/canvas.h"

#include <gtest/gtest.h>

#include <vector>

namespace pyxora {
namespace {

std::vector<int> WrittenRows(const Canvas& canvas) {
  std::vector<int> rows;
  for (int y = -1; y <= canvas.Height(); ++y)
    if (canvas.RowWritten(y)) rows.push_back(y);
  return rows;
}

TEST(CanvasChanges, RowsWrittenAreExactlyTheRowsOfThePixelsSet) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> pixels;
    std::vector<int> rows;
  } cases[] = {
      {"nothing", {}, {}},
      {"the first pixel", {{0, 0}}, {0}},
      {"the last pixel of a ragged surface", {{129, 19}}, {19}},
      {"rows 7 and 8 sit in two bands", {{63, 7}, {64, 8}}, {7, 8}},
      {"one row of a band, not its neighbours", {{70, 13}}, {13}},
      {"outside the surface is clipped", {{-1, 3}, {130, 3}, {5, -1}, {5, 20}}, {}},
      {"several in one block", {{1, 17}, {2, 17}, {60, 18}}, {17, 18}},
  };
  for (const Case& c : cases) {
    Canvas canvas(130, 20);  // neither a whole number of blocks across nor of bands down
    canvas.ForgetChanges();
    for (auto [x, y] : c.pixels) canvas.SetPixel(x, y, RgbColor(9, 9, 9));
    EXPECT_EQ(WrittenRows(canvas), c.rows) << c.name;
    canvas.ForgetChanges();
    EXPECT_EQ(WrittenRows(canvas), std::vector<int>{}) << c.name << ": forgotten";
  }
}

TEST(CanvasChanges, ClearingWritesOnlyThePixelsThatWereNotBackground) {
  Canvas canvas(200, 30);
  canvas.SetPixel(150, 25, RgbColor(255, 0, 0));
  canvas.SetPixel(3, 2, RgbColor(0, 255, 0));
  canvas.SetPixel(4, 9, 0);  // written, but black already
  canvas.ForgetChanges();
  canvas.Clear();
  EXPECT_EQ(WrittenRows(canvas), (std::vector<int>{2, 25}));
  EXPECT_EQ(canvas.CountLitPixels(), 0u);
}

}  // namespace
}  // namespace pyxora
