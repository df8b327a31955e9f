// Presenting by what changed: what a frame sends, counted through the target, and a
// screen rebuilt from what was sent that always equals the framebuffer.
#include "render/change_presenter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

namespace pyxora {
namespace {

constexpr uint32_t kRed = RgbColor(255, 0, 0), kGreen = RgbColor(0, 255, 0), kBlack = 0;
constexpr uint32_t kStoredRed = 0xFFFF0000u, kStoredGreen = 0xFF00FF00u, kStoredBlack = 0xFF000000u;

// Records every request and applies it to a screen of its own.
class ScreenTarget : public PresentTarget {
 public:
  ScreenTarget(int width, int height, int dense = 64)
      : width_(width), screen_(static_cast<size_t>(width) * static_cast<size_t>(height), 0u), dense_(dense) {}
  void Points(uint32_t pixel, const PresentPoint* points, size_t count) override {
    pointColours.push_back(pixel);
    for (size_t i = 0; i < count; ++i) {
      pointsSent.push_back(points[i]);
      screen_[static_cast<size_t>(points[i].y) * static_cast<size_t>(width_) + static_cast<size_t>(points[i].x)] =
          pixel;
    }
  }
  void Image(const Canvas& canvas, const PixelRect& rect) override {
    images.push_back(rect);
    for (int y = rect.top; y < rect.bottom; ++y)
      for (int x = rect.left; x < rect.right; ++x)
        screen_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] =
            canvas.Data()[static_cast<size_t>(y) * static_cast<size_t>(canvas.Width()) + static_cast<size_t>(x)];
  }
  void EndFrame() override { ++frames; }
  int DenseBlockPixels() const override { return dense_; }
  void Reset() {
    pointColours.clear();
    pointsSent.clear();
    images.clear();
    frames = 0;
  }
  bool Shows(const Canvas& canvas) const {
    return std::equal(screen_.begin(), screen_.end(), canvas.Data());
  }

  std::vector<uint32_t> pointColours;
  std::vector<PresentPoint> pointsSent;
  std::vector<PixelRect> images;
  int frames = 0;

 private:
  int width_;
  std::vector<uint32_t> screen_;
  int dense_;
};

class ChangePresenterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas_.Resize(200, 100);
    Present();  // the new surface goes out whole
    target_.Reset();
  }
  PresentStats Present() { return presenter_.Present(canvas_, target_); }

  Canvas canvas_;
  ScreenTarget target_{200, 100};
  ChangePresenter presenter_;
};

TEST_F(ChangePresenterTest, ANewSurfaceGoesOutWholeAsOneImage) {
  canvas_.Resize(200, 100);
  canvas_.SetPixel(5, 5, kRed);  // covered by the whole image
  const PresentStats stats = Present();
  ASSERT_EQ(target_.images.size(), 1u);
  EXPECT_EQ(target_.images[0].right, 200);
  EXPECT_EQ(target_.images[0].bottom, 100);
  EXPECT_EQ(stats.imagePixels, 20000u);
  EXPECT_TRUE(target_.pointsSent.empty());
  EXPECT_TRUE(target_.Shows(canvas_));
}

// The idle cases: nothing drawn, the same values drawn again, a blank surface cleared.
TEST_F(ChangePresenterTest, AFrameThatChangesNoPixelSendsNothing) {
  canvas_.SetPixel(10, 10, kRed);
  Present();
  target_.Reset();
  struct Case {
    const char* name;
    std::function<void(Canvas&)> draw;
  } cases[] = {
      {"nothing drawn", [](Canvas&) {}},
      {"the same colour again", [](Canvas& c) { c.SetPixel(10, 10, kRed); }},
      {"black over black", [](Canvas& c) { c.SetPixel(50, 50, kBlack); }},
      {"outside the surface", [](Canvas& c) { c.SetPixel(200, 0, kRed); c.SetPixel(-1, 5, kRed); }},
  };
  for (const Case& c : cases) {
    c.draw(canvas_);
    const PresentStats stats = Present();
    EXPECT_EQ(stats.Pixels(), 0u) << c.name;
    EXPECT_EQ(target_.frames, 0) << c.name;
  }
  canvas_.SetPixel(10, 10, kBlack);
  Present();
  target_.Reset();
  canvas_.Clear();  // already blank: the driver's idle passes clear every frame
  EXPECT_EQ(Present().Pixels(), 0u);
  EXPECT_EQ(target_.frames, 0);
}

TEST_F(ChangePresenterTest, ScatteredPixelsGoOutAsPointsOneRequestPerColour) {
  canvas_.SetPixel(3, 4, kRed);
  canvas_.SetPixel(150, 90, kGreen);
  canvas_.SetPixel(199, 0, kRed);
  canvas_.SetPixel(70, 20, kGreen);
  canvas_.SetPixel(70, 20, kGreen);  // twice the same: one point
  const PresentStats stats = Present();
  EXPECT_EQ(stats.points, 4u);
  EXPECT_EQ(stats.colours, 2u);
  EXPECT_EQ(stats.images, 0u);
  ASSERT_EQ(target_.pointColours.size(), 2u);
  EXPECT_EQ(target_.pointColours[0], kStoredRed);  // in the order the colours were met
  EXPECT_EQ(target_.pointColours[1], kStoredGreen);
  ASSERT_EQ(target_.pointsSent.size(), 4u);
  EXPECT_EQ(target_.pointsSent[0].x, 3);
  EXPECT_EQ(target_.pointsSent[0].y, 4);
  EXPECT_EQ(target_.pointsSent[1].x, 199);
  EXPECT_EQ(target_.pointsSent[1].y, 0);
  EXPECT_EQ(target_.frames, 1);
  EXPECT_TRUE(target_.Shows(canvas_));
  target_.Reset();
  EXPECT_EQ(Present().Pixels(), 0u) << "sent pixels are forgotten";
}

TEST_F(ChangePresenterTest, ClearingSendsOnlyThePixelsThatWereLit) {
  for (int i = 0; i < 5; ++i) canvas_.SetPixel(20 * i, 3 * i, kGreen);
  Present();
  target_.Reset();
  canvas_.Clear();
  const PresentStats stats = Present();
  EXPECT_EQ(stats.points, 5u);
  EXPECT_EQ(stats.imagePixels, 0u);
  ASSERT_EQ(target_.pointColours.size(), 1u);
  EXPECT_EQ(target_.pointColours[0], kStoredBlack);
  EXPECT_TRUE(target_.Shows(canvas_));
}

// A block is 64 columns by 8 rows; from DenseBlockPixels changed pixels on it goes
// out whole, and touching dense blocks merge into one rectangle.
TEST_F(ChangePresenterTest, CrowdedBlocksGoOutAsImagesMergedAcrossAndDown) {
  auto fill = [&](int left, int top, int width, int height, int count) {
    for (int i = 0; i < count; ++i) canvas_.SetPixel(left + i % width, top + (i / width) % height, kRed);
  };
  struct Case {
    const char* name;
    std::function<void()> draw;
    std::vector<PixelRect> images;
    size_t points;
  } cases[] = {
      {"one below the threshold", [&] { fill(0, 0, 64, 8, 63); }, {}, 63},
      {"at the threshold", [&] { fill(64, 8, 64, 8, 64); }, {{64, 8, 128, 16}}, 0},
      {"two side by side", [&] { fill(0, 16, 128, 8, 1024); }, {{0, 16, 128, 24}}, 0},
      {"two with an unwritten block between",
       [&] { fill(0, 16, 64, 8, 512), fill(128, 16, 64, 8, 512); },
       {{0, 16, 64, 24}, {128, 16, 192, 24}},
       0},
      {"three side by side, crowded right to left",
       [&] { fill(128, 16, 64, 8, 512), fill(64, 16, 64, 8, 512), fill(0, 16, 64, 8, 512); },
       {{0, 16, 192, 24}},
       0},
      {"two above each other", [&] { fill(0, 24, 64, 16, 1024); }, {{0, 24, 64, 40}}, 0},
      {"the last block is cut at the edge", [&] { fill(192, 40, 8, 8, 64); }, {{192, 40, 200, 48}}, 0},
      {"the last band is cut at the bottom", [&] { fill(0, 96, 64, 4, 256); }, {{0, 96, 64, 100}}, 0},
      {"a dense block and a lone pixel", [&] { fill(128, 48, 64, 8, 100); canvas_.SetPixel(0, 60, kGreen); },
       {{128, 48, 192, 56}}, 1},
  };
  for (const Case& c : cases) {
    canvas_.Resize(200, 100);
    Present();
    target_.Reset();
    c.draw();
    const PresentStats stats = Present();
    ASSERT_EQ(target_.images.size(), c.images.size()) << c.name;
    for (size_t i = 0; i < c.images.size(); ++i) {
      const PixelRect& got = target_.images[i];
      const PixelRect& want = c.images[i];
      EXPECT_TRUE(got.left == want.left && got.top == want.top && got.right == want.right &&
                  got.bottom == want.bottom)
          << c.name << ": " << got.left << "," << got.top << " - " << got.right << "," << got.bottom;
    }
    EXPECT_EQ(stats.points, c.points) << c.name;
    EXPECT_TRUE(target_.Shows(canvas_)) << c.name;
  }
}

TEST_F(ChangePresenterTest, ThousandsOfColoursAreEachSentOnceWithAllTheirPixels) {
  canvas_.Resize(1000, 40);
  ScreenTarget target(1000, 40, 1000);  // never dense: everything as points
  presenter_.Present(canvas_, target);
  target.Reset();
  for (int x = 0; x < 1000; ++x)
    for (int y = 0; y < 40; y += 10) canvas_.SetPixel(x, y, RgbColor(x % 250, x / 250, 7));
  const PresentStats stats = presenter_.Present(canvas_, target);
  EXPECT_EQ(stats.colours, 1000u);
  EXPECT_EQ(stats.points, 4000u);
  std::vector<uint32_t> sorted = target.pointColours;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end()) << "a colour was sent twice";
  EXPECT_TRUE(target.Shows(canvas_));
}

// Many frames of random drawing, sparse and crowded, with clears between: what was
// sent always rebuilds the framebuffer exactly.
TEST_F(ChangePresenterTest, WhatWasSentAlwaysRebuildsTheFramebuffer) {
  std::mt19937 random(5);
  canvas_.Resize(300, 170);
  ScreenTarget target(300, 170);
  presenter_.Present(canvas_, target);
  const uint32_t palette[] = {kRed, kGreen, kBlack, RgbColor(1, 2, 3), RgbColor(255, 255, 255)};
  for (int frame = 0; frame < 60; ++frame) {
    if (frame % 20 == 19) canvas_.Clear();
    const int count = frame % 3 == 0 ? 5000 : 40;
    for (int i = 0; i < count; ++i) {
      const int x = static_cast<int>(random() % 320) - 10, y = static_cast<int>(random() % 190) - 10;
      canvas_.SetPixel(x, y, palette[random() % 5]);
    }
    presenter_.Present(canvas_, target);
    ASSERT_TRUE(target.Shows(canvas_)) << "frame " << frame;
  }
}

}  // namespace
}  // namespace pyxora
