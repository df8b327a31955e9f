// The headless render path end to end: stored settings or a theme, N frames, the picture.
#include <algorithm>
#include <map>

#include "host/render_run.h"
#include "render/colour.h"
#include "support/test_support.h"

namespace pyxora::testing {
namespace {

class GravityRenderTest : public CoreTest {
 protected:
  Canvas Render(int16_t theme, int32_t frames = 300) {
    RenderRequest request;
    request.effect = FindEffectByRenderName("gravity");
    request.theme = theme;
    request.frames = frames;
    request.width = 640;
    request.height = 480;
    request.seed = 1;
    Canvas canvas;
    EXPECT_FALSE(RenderEffect(request, canvas).has_value());
    return canvas;
  }

  // Lit pixels by colour; every one must be a hue of the wheel or a white circle pixel.
  static std::map<uint32_t, size_t> Colours(const Canvas& canvas) {
    std::map<uint32_t, size_t> colours;
    for (int32_t y = 0; y < canvas.Height(); ++y)
      for (int32_t x = 0; x < canvas.Width(); ++x)
        if (const uint32_t c = canvas.GetPixel(x, y)) ++colours[c];
    return colours;
  }
  static bool FromTheWheel(uint32_t colour) {
    return colour == RgbColor(255, 255, 255) || std::find(HueWheel.begin(), HueWheel.end(), colour) != HueWheel.end();
  }
};

TEST_F(GravityRenderTest, TheStoredSettingsRenderAFieldOfColouredStars) {
  const Canvas first = Render(0);
  EXPECT_EQ(first.Width(), 640);
  // 3000 stars with one-pixel trails, many flown off screen by now, two small circles.
  EXPECT_GT(first.CountLitPixels(), 500u);
  EXPECT_LE(first.CountLitPixels(), 3000u + 16u);
  const auto colours = Colours(first);
  EXPECT_GT(colours.size(), 10u);
  for (const auto& [colour, count] : colours) EXPECT_TRUE(FromTheWheel(colour)) << std::hex << colour;

  const Canvas second = Render(0);
  EXPECT_TRUE(std::equal(first.Data(), first.Data() + 640 * 480, second.Data()));
}

TEST_F(GravityRenderTest, EveryThemeRenders) {
  for (int16_t theme = 1; theme <= 5; ++theme) {
    SCOPED_TRACE(theme);
    const Canvas canvas = Render(theme);
    EXPECT_GT(canvas.CountLitPixels(), 200u);
    for (const auto& [colour, count] : Colours(canvas)) EXPECT_TRUE(FromTheWheel(colour)) << std::hex << colour;
  }
  RenderRequest request;
  request.effect = FindEffectByRenderName("gravity");
  request.theme = 6;
  Canvas canvas;
  EXPECT_EQ(RenderEffect(request, canvas), "effect 'gravity' has no preset 6");
}

}  // namespace
}  // namespace pyxora::testing
