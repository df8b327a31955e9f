#include "render/colour.h"

#include "render/canvas.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

class Colour : public testing::CoreTest {
 protected:
  void Build(int16_t red = 100, int16_t green = 100, int16_t blue = 100) {
    gColorSettings = ColorSettings{};
    gColorSettings.ColorRed = red, gColorSettings.ColorGrn = green, gColorSettings.ColorBlu = blue;
    BuildHueWheel();
    BuildStarPalette();
  }
};

TEST_F(Colour, HueToRgbRunsRoundTheSextants) {
  EXPECT_EQ(HueToRgb(0, 55, 100, 100, 100), RgbColor(255, 55, 55));
  EXPECT_EQ(HueToRgb(30, 55, 100, 100, 100), RgbColor(255, 155, 55));
  EXPECT_EQ(HueToRgb(90, 55, 100, 100, 100), RgbColor(155, 255, 55));
  EXPECT_EQ(HueToRgb(120, 55, 100, 100, 100), RgbColor(55, 255, 55));
  EXPECT_EQ(HueToRgb(240, 55, 100, 100, 100), RgbColor(55, 55, 255));
  EXPECT_EQ(HueToRgb(330, 55, 100, 100, 100), RgbColor(255, 55, 155));
  EXPECT_EQ(HueToRgb(360, 55, 100, 100, 100), 0u);
  EXPECT_EQ(HueToRgb(0, 55, 200, 100, 100), RgbColor(255, 55, 55));  // channels clamp at 255
  EXPECT_EQ(RedOf(HueToRgb(0, 55, 100, 100, 100)), 255);            // red is the low byte
  EXPECT_EQ(HueToRgb(0, 55, 100, 100, 100) & 0xFFu, 255u);
}

TEST_F(Colour, EachSextantRampsItsChannelInItsOwnDirection) {
  // A sixth of the way into each sextant, with different levels per channel (90, 80, 40):
  // full is floor + 2 level, a rising ramp floor + level / 3, a falling one floor + 5 level / 3.
  const std::pair<int16_t, uint32_t> cases[] = {
      {10, RgbColor(235, 81, 55)},  {70, RgbColor(205, 215, 55)},  {130, RgbColor(55, 215, 68)},
      {190, RgbColor(55, 188, 135)}, {250, RgbColor(85, 55, 135)}, {310, RgbColor(235, 55, 121)},
  };
  for (const auto& [hue, colour] : cases) {
    const uint32_t got = HueToRgb(hue, 55, 90, 80, 40);
    EXPECT_EQ(got, colour) << "hue " << hue << ": " << RedOf(got) << " " << GreenOf(got) << " " << BlueOf(got);
  }
}

TEST_F(Colour, ZeroLevelsGiveAGreyWheel) {
  Build(0, 0, 0);
  for (uint32_t c : HueWheel) ASSERT_EQ(c, RgbColor(55, 55, 55));
}

TEST_F(Colour, StarPaletteRunsFromWhiteThroughCyanIntoTheWheel) {
  Build();
  EXPECT_EQ(StarPalette[0], RgbColor(255, 255, 255));
  EXPECT_EQ(StarPalette[19], RgbColor(0, 255, 255));
  EXPECT_EQ(StarPalette[20], HueWheel[180]);
  // 79: the wheel's red at (1/5)(65/120) of its brightness.
  EXPECT_EQ(StarPalette[79], RgbColor(28, 6, 6));
}

TEST_F(Colour, LoadColorSettingsReadsTheStoreWithoutClamping) {
  Put("General", "ColorRed", "250");
  Put("PixelColor", "ColorHueWheel", "-40");
  Put("Advanced", "Adv_HueStart", "90");
  LoadColorSettings();
  EXPECT_EQ(gColorSettings.ColorRed, 250);
  EXPECT_EQ(gColorSettings.ColorGrn, 100);
  EXPECT_EQ(gColorSettings.ColorHueWheel, -40);
  EXPECT_EQ(gColorSettings.HueStart, 90);
  EXPECT_EQ(gColorSettings.ColorPctHue, 100);
}

TEST_F(Colour, PickPixelColorChoosesItsSchemesInTheConfiguredShares) {
  Build();
  gColorSettings.ColorPctInt = 20;
  gColorSettings.ColorPctHue = 50;
  constexpr int kDraws = 100000;
  int intensity = 0, wedge = 0, fixed = 0;
  for (int i = 0; i < kDraws; ++i) {
    const SourceColor s = PickPixelColor();
    ASSERT_NE(s.color, 0u);
    if (s.fixed) ++fixed;
    else if (s.hue == 0) ++intensity;
    else {
      ++wedge;
      ASSERT_GE(s.hue, 1);
      ASSERT_LE(s.hue, 360);
    }
  }
  // Six standard deviations (about 0.9 % at these counts) cannot fail by chance in practice.
  EXPECT_NEAR(intensity / double(kDraws), 0.20, 0.009);
  EXPECT_NEAR(wedge / double(kDraws), 0.50, 0.009);
  EXPECT_NEAR(fixed / double(kDraws), 0.30, 0.009);
}

TEST_F(Colour, StrictComparisonsLeaveOutTheEmptySchemes) {
  Build();
  gColorSettings.ColorPctInt = 0;
  gColorSettings.ColorPctHue = 100;
  for (int i = 0; i < 2000; ++i) ASSERT_GT(PickPixelColor().hue, 0);
  gColorSettings.ColorPctHue = 0;
  for (int i = 0; i < 2000; ++i) ASSERT_TRUE(PickPixelColor().fixed);
  gColorSettings.ColorPctInt = 100;
  for (int i = 0; i < 2000; ++i) {
    const SourceColor s = PickPixelColor();
    ASSERT_FALSE(s.fixed);
    ASSERT_EQ(s.hue, 0);
  }
}

TEST_F(Colour, VaryColorKeepsTheWedgeAndDimsAllChannelsAlike) {
  Build();
  gColorSettings.ColorHueWheel = 60;
  const int16_t hue = 100;
  for (int i = 0; i < 5000; ++i) {
    const uint32_t c = VaryColor(HueWheel[0], hue);
    bool inWedge = false;
    for (int h = hue - 30; h < hue + 30; ++h) inWedge |= HueWheel[(h + 360) % 360] == c;
    ASSERT_TRUE(inWedge) << std::hex << c;
  }
  gColorSettings.ColorHueWheel = 0;
  for (int i = 0; i < 100; ++i) ASSERT_EQ(VaryColor(1, 10), HueWheel[(10 + 330) % 360]);
  // A hand-edited negative wedge stays on the wheel.
  gColorSettings.ColorHueWheel = -500;
  for (int i = 0; i < 100; ++i) VaryColor(1, 1);

  const uint32_t source = RgbColor(200, 100, 50);
  for (int i = 0; i < 1000; ++i) {
    const uint32_t c = VaryColor(source, 0);
    ASSERT_LE(RedOf(c), 200);
    // One factor for every channel: green stays about half of red.
    ASSERT_NEAR(GreenOf(c), RedOf(c) / 2.0, 1.0);
  }
  EXPECT_EQ(ResolveColor(true, source, 0), source);
}

}  // namespace
}  // namespace pyxora
