// The four pixel patterns: exactly the listed pixels for every size, and drawing the
// same pattern again in black leaves nothing behind.
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "effects/fireworks/fireworks_patterns.h"
#include "render/canvas.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

using Offsets = std::set<std::pair<int, int>>;

// "p3" a plus of distance 3, "x4" a cross of distance 4, "2,-1" one point; the centre always.
Offsets Shape(const std::string& text) {
  Offsets o{{0, 0}};
  std::istringstream words(text);
  std::string w;
  while (words >> w) {
    if (w[0] == 'p' || w[0] == 'x') {
      const int d = std::stoi(w.substr(1));
      if (w[0] == 'p') o.insert({{d, 0}, {-d, 0}, {0, d}, {0, -d}});
      else o.insert({{d, d}, {-d, d}, {d, -d}, {-d, -d}});
    } else {
      const size_t comma = w.find(',');
      o.insert({std::stoi(w.substr(0, comma)), std::stoi(w.substr(comma + 1))});
    }
  }
  return o;
}

struct Case {
  const char* routine;
  int size;        // pattern size, FireSparkPix or life
  float z;         // S = 1 / z (focal length 1)
  float decaySize; // decaying stars only
  int cx;          // the centre column (an odd one shows how "~S" rounds)
  const char* shape;
  size_t pixels;
};

void Draw(Canvas& dc, const Case& c, uint32_t colour) {
  const std::string r = c.routine;
  const auto n = static_cast<int16_t>(c.size);
  if (r == "scint") DrawScintillator(dc, 1.0f, c.cx, 100, c.z, n, colour);
  if (r == "multi") DrawMultiHead(dc, 1.0f, c.cx, 100, c.z, n, colour);
  if (r == "sparkle") DrawSparkle(dc, 1.0f, n, c.cx, 100, c.z, colour);
  if (r == "decay") DrawDecayStar(dc, 1.0f, c.decaySize, c.cx, 100, c.z, n, colour);
}

TEST(FireworksPatterns, EachSizeDrawsItsPixelsAndBlackErasesThem) {
  const Case cases[] = {
      {"scint", 5, 1, 0, 100, "p1", 5},
      {"scint", 9, 1, 0, 100, "p1 p2", 9},
      {"scint", 13, 1, 0, 100, "p1 p2 x4", 13},
      {"scint", 17, 1, 0, 100, "p1 p2 x4 p8", 17},
      {"scint", 21, 1, 0, 100, "p1 p2 x4 p8 p12", 21},
      {"scint", 25, 1, 0, 100, "p1 p2 x4 p8 p12 x7", 25},
      {"scint", 29, 1, 0, 100, "p1 p2 x4 p8 p12 x7 p16", 29},
      {"scint", 33, 1, 0, 100, "p1 p2 x4 p8 p12 x7 p16 x11", 33},
      {"scint", 37, 1, 0, 100, "p1 p2 x4 p8 p12 x7 p16 x11 p25", 37},
      {"scint", 37, 0.5f, 0, 100, "p2 p4 x8 p16 p24 x14 p32 x22 p50", 37},
      {"scint", 11, 1, 0, 100, "", 1},  // not 5 + 4k: the centre only
      {"scint", 41, 1, 0, 100, "", 1},
      {"multi", 1, 1, 0, 100, "", 1},
      {"multi", 2, 1, 0, 100, "1,0", 2},
      {"multi", 4, 1, 0, 100, "1,0 -1,0", 3},
      {"multi", 8, 1, 0, 100, "p1", 5},
      {"multi", 12, 1, 0, 100, "p1 x1", 9},
      {"multi", 16, 1, 0, 100, "p1 x1 p2", 13},
      {"multi", 20, 1, 0, 100, "p1 x1 p2 p3", 17},
      {"multi", 24, 1, 0, 100, "p1 x1 p2 p3 p4", 21},
      {"multi", 32, 1, 0, 100, "p1 x1 p2 p3 p4 x3", 25},
      {"multi", 33, 1, 0, 100, "p1 x1 p2 p3 p4 x3 p5 p8", 33},
      {"multi", 99, 1, 0, 100, "p1 x1 p2 p3 p4 x3 p5 p8", 33},
      // S = 1.5 about column 101: nearest(102.5) = 102 and nearest(99.5) = 100, one
      // column each way; the rows about 100 round to 102 and 98.
      {"multi", 5, 1 / 1.5f, 0, 101, "1,0 -1,0 0,2 0,-2", 5},
      {"sparkle", 1, 1, 0, 100, "", 1},
      {"sparkle", 2, 1, 0, 100, "2,0", 2},
      {"sparkle", 3, 1, 0, 100, "-1,1 1,1", 3},
      {"sparkle", 5, 1, 0, 100, "p2", 5},
      {"sparkle", 7, 1, 0, 100, "-1,-1 1,-1 -2,0 2,0 -1,1 1,1", 7},
      {"sparkle", 10, 1, 0, 100, "x1 p4", 9},
      {"sparkle", 12, 1, 0, 100, "x1 5,0 -5,0 2,3 -2,3 2,-3 -2,-3", 11},
      {"sparkle", 14, 1, 0, 100, "x2 p6 x4", 13},
      {"sparkle", 18, 1, 0, 100, "x2 p5 x3 x6", 17},
      {"sparkle", 22, 1, 0, 100, "x2 p5 x3 x6 p8", 21},
      {"sparkle", 26, 1, 0, 100, "x2 p5 x3 x5 x6 p9", 25},
      {"sparkle", 30, 1, 0, 100, "x2 p5 p7 x3 x5 x7 p11", 29},
      // Decaying stars: S = decaySize * life * 0.1 (z 1), n = nearest(32 S).
      {"decay", 10, 1, 1.0f, 100, "p1 p4 x8 x12 p16 p32", 25},          // n 32
      {"decay", 10, 1, 0.15625f, 100, "x1 x2 p2 p5", 17},               // n 5
      {"decay", 10, 1, 0.09375f, 100, "p2 p3", 9},                      // n 3
      {"decay", 10, 1, 0.0625f, 100, "p1 p2", 9},                       // n 2
      {"decay", 10, 1, 0.03125f, 100, "p1", 5},                         // n 1
      {"decay", 10, 1, 0.01f, 100, "", 1},                              // n 0
      {"decay", 0, 1, 1.0f, 100, "", 1},                                // no life left
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.routine << " " << c.size << " at S = " << 1 / c.z << " decay size "
                                      << c.decaySize);
    Canvas dc(240, 200);
    Draw(dc, c, 0x00FFFFFF);
    Offsets lit;
    for (int y = 0; y < dc.Height(); ++y)
      for (int x = 0; x < dc.Width(); ++x)
        if (dc.GetPixel(x, y) != 0) lit.insert({x - c.cx, y - 100});
    EXPECT_EQ(lit.size(), c.pixels);
    EXPECT_EQ(lit, Shape(c.shape));
    Draw(dc, c, 0);
    EXPECT_EQ(dc.CountLitPixels(), 0u);
  }
}

// A spark right at the eye (z 0) or behind it must not crash a pattern: what cannot be
// placed is left out, the rest clips at the surface.
TEST(FireworksPatterns, SparksAtOrBehindTheEyeDrawOnlyWhatFits) {
  Canvas dc(64, 48);
  for (const float z : {0.0f, -0.0f, -1.0f, 1e-30f}) {
    DrawScintillator(dc, 1.0f, 30, 20, z, 37, 0xFF);
    DrawMultiHead(dc, 1.0f, 30, 20, z, 33, 0xFF);
    DrawSparkle(dc, 1.0f, 30, 30, 20, z, 0xFF);
    DrawDecayStar(dc, 1.0f, 300, 30, 20, z, 50, 0xFF);
    EXPECT_EQ(dc.GetPixel(30, 20), 0xFFu);
  }
}

}  // namespace
}  // namespace pyxora
