// Fireworks as a person sees them: through the headless render, the animation driver
// with the real effect table, and the Properties preview.
#include <set>
#include <vector>

#include "effects/effect_table.h"
#include "effects/fireworks/fireworks.h"
#include "effects/fireworks/fireworks_settings.h"
#include "host/driver.h"
#include "host/render_run.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/viewport.h"
#include "settings/properties_model.h"
#include "support/test_support.h"

namespace pyxora::testing {
namespace {

class FireworksRenderTest : public CoreTest {
 protected:
  std::vector<uint32_t> Render(int16_t theme, int32_t frames, uint32_t seed = 3) {
    RenderRequest request;
    request.effect = &Effects()[0];
    request.theme = theme;
    request.frames = frames;
    request.width = 320;
    request.height = 240;
    request.seed = seed;
    EXPECT_FALSE(RenderEffect(request, canvas_).has_value());
    return {canvas_.Data(), canvas_.Data() + 320 * 240};
  }
  Canvas canvas_;
};

// Bursts take hue-wheel colours, trails, scintillators and decaying stars greys.
TEST_F(FireworksRenderTest, DefaultColoursAreHueWheelColoursOrGreys) {
  for (const int16_t theme : {0, 4, 8, 13}) {
    SCOPED_TRACE(::testing::Message() << "theme " << theme);
    Render(theme, 500);
    const std::set<uint32_t> wheel(HueWheel.begin(), HueWheel.end());
    size_t greys = 0, hues = 0, others = 0;
    for (int y = 0; y < 240; ++y)
      for (int x = 0; x < 320; ++x) {
        const uint32_t c = canvas_.GetPixel(x, y);
        if (c == 0) continue;
        if (RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c)) ++greys;
        else if (wheel.count(c)) ++hues;
        else ++others;
      }
    EXPECT_EQ(others, 0u);
    EXPECT_GT(greys + hues, 50u);
  }
  // And the same seed gives the same picture.
  EXPECT_EQ(Render(1, 300, 9), Render(1, 300, 9));
  EXPECT_NE(Render(1, 300, 9), Render(1, 300, 10));
}

// The real table row: what the driver loads is what runs, and each run ends by itself
// after the frame limit, so the cycle moves on.
struct Observed {
  int16_t shells, sparks;
  size_t lit;
};
std::vector<Observed>* gObserved = nullptr;
size_t gStopAfter = 0;
Canvas* gSurface = nullptr;

void ObservedRun() {
  RunFireworks();
  gObserved->push_back({gFireworksSettings.FireWorks, gFireworksSettings.FireSparks, gSurface->CountLitPixels()});
  if (gObserved->size() >= gStopAfter) gState.StopRequested = true;
}

class FireworksDriverTest : public FireworksRenderTest {
 protected:
  std::vector<Observed> Drive(size_t runs, int stopAfterFrames = 0) {
    std::vector<Observed> observed;
    gObserved = &observed;
    gStopAfter = runs;
    gSurface = &canvas_;
    if (stopAfterFrames > 0)
      host_.onEvents = [this, stopAfterFrames] {
        if (host_.presented >= stopAfterFrames) gState.StopRequested = true;
      };
    EffectTable table = Effects();
    table[0].run = ObservedRun;
    for (int i = 1; i < kEffectCount; ++i) table[i].run = nullptr;
    Put("Advanced", "Adv_TimeDelay", "0");
    RunEffectDriver(DriverVariant::Saver, DisplaySurface{&canvas_, 160, 120, true}, {}, table);
    return observed;
  }
};

TEST_F(FireworksDriverTest, ANewSaverShowsTheFireworksThemesFirst) {
  const std::vector<Observed> runs = Drive(2);  // no AnimationType: the built-in sequence
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].shells, 14);  // theme 1
  EXPECT_EQ(runs[0].sparks, 1200);
  EXPECT_EQ(runs[1].sparks, 1400);  // theme 2
  EXPECT_GE(host_.presented, 2 * 800);
}

TEST_F(FireworksDriverTest, CyclingWithTheThemesBitRunsThemeAfterTheme) {
  Put("General", "AnimationType", "0");
  Put("Advanced", "Adv_PickPXRA", "65");
  Put("Advanced", "Adv_EffectFPC", "100");
  const std::vector<Observed> runs = Drive(3);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].sparks, 1200);
  EXPECT_EQ(runs[1].sparks, 1400);
  EXPECT_EQ(runs[2].shells, 8);  // theme 3
  EXPECT_EQ(runs[2].sparks, 1000);
}

TEST_F(FireworksDriverTest, AnimationTypeZeroRunsTheStoredFireworks) {
  Put("General", "AnimationType", "0");
  Put("Fireworks", "FireWorks", "5");
  const std::vector<Observed> runs = Drive(100, 200);
  ASSERT_EQ(runs.size(), 1u);  // stopped while drawing: no limit, one endless run
  EXPECT_EQ(runs[0].shells, 5);
  EXPECT_GT(runs[0].lit, 0u);
}

// The preview takes the boxes as typed, clamped as the boxes clamp on losing focus,
// then the run's units and the slot cap.
TEST_F(FireworksRenderTest, ThePreviewRunsTheBoxesAsTyped) {
  PropertiesModel props;
  for (const FireworksSettingRow& row : kFireworksFields)
    if (row.box.index >= 0) props.SetText("txtFire", row.box.index, "");  // empty boxes: their lower bounds
  props.SetText("txtFire", 0, "150");   // shells: 99
  props.SetText("txtFire", 1, "9999");  // capped at 30000 \ 99 = 303
  props.SetText("txtFire", 6, "2");     // gravity x 0.005
  props.SetText("txtFire", 7, "500");   // a run would clamp to 99; the box allows 999
  props.SetText("txtFire", 8, "0.5");   // drag factor 0.75
  props.SetText("txtFire", 21, "999");  // launch sparks capped at the shell's 303
  props.SetText("txtFire", 35, "40");   // x 0.0025
  props.SetText("txtFire", 52, "412.5abc");
  props.Checks["chkMultiMom"] = false;
  props.Checks["chkJetBurst"] = true;
  canvas_.Resize(160, 120);
  SetUpViewport(gViewport, 160, 120, 1.0f);
  gViewport.DrawDC = &canvas_;
  host_.onEvents = [this] {
    if (host_.presented >= 1) gState.StopRequested = true;
  };
  PreviewFireworks(props);
  const FireworksSettings& s = gFireworksSettings;
  EXPECT_EQ(s.FireWorks, 99);
  EXPECT_EQ(s.FireSparks, 303);
  EXPECT_EQ(s.FireLaunchPixel, 303);
  EXPECT_FLOAT_EQ(s.FireGravity, 0.01f);
  EXPECT_EQ(s.FireSizeDev, 500);
  EXPECT_FLOAT_EQ(s.FireDamping, 0.75f);
  EXPECT_FLOAT_EQ(s.FireTwistExt, 0.1f);
  EXPECT_FLOAT_EQ(s.FireLaunchRadius, 0.25f * 0.0025f);  // empty box: its lower bound
  EXPECT_EQ(s.FireDecayMSize, 412.0f);
  EXPECT_EQ(s.FireDecayMLife, 5);
  EXPECT_EQ(s.FireSplineKnot, 4);
  EXPECT_FALSE(s.FireMultiMoment);
  EXPECT_TRUE(s.FireBurstShell);
}

// The about window's miniature runs its own fixed show, in run units, whatever is stored.
TEST_F(FireworksRenderTest, TheDemoRunsItsFixedShow) {
  Put("Fireworks", "FireWorks", "3");
  canvas_.Resize(160, 120);
  SetUpViewport(gViewport, 160, 120, 1.0f);
  gViewport.DrawDC = &canvas_;
  host_.onEvents = [this] {
    if (host_.presented >= 150) gState.StopRequested = true;
  };
  RunFireworksDemo();
  const FireworksSettings& s = gFireworksSettings;
  EXPECT_EQ(s.FireWorks, 12);
  EXPECT_EQ(s.FireSparks, 600);
  EXPECT_FLOAT_EQ(s.FireGravity, 0.04f * 0.005f);
  EXPECT_FLOAT_EQ(s.FireDamping, (1 - 0.17f) * 0.5f + 0.5f);
  EXPECT_FLOAT_EQ(s.FireLaunchRadius, 0.0025f);
  EXPECT_GT(canvas_.CountLitPixels(), 0u);
}

}  // namespace
}  // namespace pyxora::testing
