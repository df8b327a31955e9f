#include "host/advanced_settings.h"

#include <algorithm>

#include "render/canvas.h"
#include "render/colour.h"
#include "render/viewport.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

class AdvancedSettings : public testing::CoreTest {
 protected:
  void Load(int width = 1024, int height = 768, bool preview = false) {
    LoadAdvancedSettings(DisplaySurface{&canvas_, width, height, !preview}, preview);
  }
  Canvas canvas_;
};

TEST_F(AdvancedSettings, DefaultsFillTheHostState) {
  HueWheel.fill(0);  // what an earlier run left is rebuilt from the stored levels
  StarPalette.fill(0);
  Load();
  EXPECT_EQ(HueWheel[120], 0x37FF37u);  // green, its darkest channels 55
  EXPECT_EQ(std::count(StarPalette.begin(), StarPalette.end(), 0u), 0);
  EXPECT_EQ(gState.FrameDelay, 40);
  EXPECT_EQ(gState.CycleFrameLimit, 0);
  EXPECT_FLOAT_EQ(gState.PerfMult, 1.0f);
  EXPECT_EQ(gState.MessageFontName, "Arial");
  EXPECT_EQ(gState.MessageFontSize, 20);
  EXPECT_EQ(gState.MessageFontHue, 180);
  EXPECT_EQ(gState.MessageText, "");
  EXPECT_FLOAT_EQ(gViewport.FocalLength, 1.0f);
}

TEST_F(AdvancedSettings, TheViewportIsSizedToTheSurface) {
  Put("Advanced", "FocalLength", "2");
  Load(1024, 768);
  EXPECT_EQ(gViewport.Width, 1024);
  EXPECT_EQ(gViewport.CentreX, 512);
  EXPECT_EQ(gViewport.CentreY, 384);
  EXPECT_FLOAT_EQ(gViewport.ProjScale, 448.0f * 2);
  EXPECT_EQ(gViewport.DrawDC, &canvas_);
  EXPECT_EQ(canvas_.Width(), 1024);
  Load(1025, 5);
  EXPECT_EQ(gViewport.CentreX, 512);
  EXPECT_EQ(gViewport.CentreY, 2);
  // The preview's surface measures in twips; the viewport is in pixels.
  Load(300 * 15, 200 * 15, true);
  EXPECT_EQ(gViewport.Width, 300);
  EXPECT_EQ(gViewport.Height, 200);
}

TEST_F(AdvancedSettings, EveryClampOfTheTable) {
  struct Row {
    const char* key;
    const char* stored;
    std::function<void()> check;
  };
  const Row rows[] = {
      {"FocalLength", "0", [] { EXPECT_FLOAT_EQ(gViewport.FocalLength, 0.01f); }},
      {"FocalLength", "25", [] { EXPECT_FLOAT_EQ(gViewport.FocalLength, 10.0f); }},
      {"Adv_EffectFPC", "50", [] { EXPECT_EQ(gState.CycleFrameLimit, 100); }},
      {"Adv_EffectFPC", "0", [] { EXPECT_EQ(gState.CycleFrameLimit, 0); }},
      {"Adv_EffectFPC", "-5", [] { EXPECT_EQ(gState.CycleFrameLimit, -5); }},  // no limit, as stored
      {"Adv_EffectFPC", "99999", [] { EXPECT_EQ(gState.CycleFrameLimit, 30000); }},
      {"Adv_TimeDelay", "-3", [] { EXPECT_EQ(gState.FrameDelay, -3); }},  // used as stored
      {"Adv_FontName", "", [] { EXPECT_EQ(gState.MessageFontName, "MS Sans Serif"); }},
      {"Adv_FontSize", "5", [] { EXPECT_EQ(gState.MessageFontSize, 10); }},
      {"Adv_FontSize", "99", [] { EXPECT_EQ(gState.MessageFontSize, 80); }},
      {"Adv_FontHueV", "400", [] { EXPECT_EQ(gState.MessageFontHue, 359); }},
      {"Adv_FontHueV", "-1", [] { EXPECT_EQ(gState.MessageFontHue, 0); }},
      {"Adv_PerfMult", "2.0", [] { EXPECT_FLOAT_EQ(gState.PerfMult, 2.0f); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.key) + "=" + row.stored);
    CoreTest::TearDown();
    CoreTest::SetUp();
    Put("Advanced", row.key, row.stored);
    Load();
    row.check();
  }
}

TEST_F(AdvancedSettings, ThePreviewScalesThePerformanceMultiplier) {
  Put("Advanced", "Adv_PerfMult", "2.0");
  Load(300 * 15, 200 * 15, true);
  EXPECT_FLOAT_EQ(gState.PerfMult, 1.2f);
}

TEST_F(AdvancedSettings, TheMessageIsTrimmedThenCutToAHundredCharacters) {
  const std::string body(120, 'm');
  Put("Advanced", "LockMessage", "   " + body + "  ");
  Load();
  EXPECT_EQ(gState.MessageText, std::string(100, 'm'));
  std::string accents;  // 61 characters in 121 bytes: a cut at 100 bytes would halve one
  for (int i = 0; i < 60; ++i) accents += "\u00e9";
  Put("Advanced", "LockMessage", " a" + accents);
  Load();
  EXPECT_EQ(gState.MessageText, "a" + accents);
  Put("Advanced", "LockMessage", "  In use - back at 3  ");
  Load();
  EXPECT_EQ(gState.MessageText, "In use - back at 3");
}

}  // namespace
}  // namespace pyxora
