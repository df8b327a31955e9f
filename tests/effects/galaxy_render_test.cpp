// Galaxies through the effect table: the headless render of every theme, the loader's
// preset numbers, the Properties preview and the about-window demo.
#include <algorithm>
#include <set>
#include <string>

#include "effects/galaxy/galaxies.h"
#include "galaxy_fixture.h"
#include "host/driver.h"
#include "host/render_run.h"
#include "settings/properties_model.h"

namespace pyxora::testing {
namespace {

class GalaxyRenderTest : public GalaxyTest {
 protected:
  static Canvas Render(int16_t theme, int32_t frames = 40) {
    RenderRequest request;
    request.effect = FindEffectByRenderName("galaxy");
    request.theme = theme;
    request.frames = frames;
    request.width = 240;
    request.height = 180;
    request.seed = 1;
    Canvas canvas;
    EXPECT_FALSE(RenderEffect(request, canvas).has_value());
    return canvas;
  }
  static std::string Picture(const Canvas& c) {
    return std::string(reinterpret_cast<const char*>(c.Data()), sizeof(uint32_t) * c.Width() * c.Height());
  }
};

TEST_F(GalaxyRenderTest, EveryThemeRendersReproduciblyAndDiffersFromTheOthers) {
  std::set<std::string> pictures;
  for (int16_t theme = 0; theme <= 16; ++theme) {
    SCOPED_TRACE(theme);
    const Canvas canvas = Render(theme);
    EXPECT_GT(canvas.CountLitPixels(), theme == 16 ? 20u : 500u);
    EXPECT_EQ(Picture(canvas), Picture(Render(theme)));
    pictures.insert(Picture(canvas));
  }
  EXPECT_EQ(pictures.size(), 17u);

  RenderRequest request;
  request.effect = FindEffectByRenderName("galaxy");
  request.theme = 17;
  Canvas canvas;
  EXPECT_EQ(RenderEffect(request, canvas), "effect 'galaxy' has no preset 17");
}

TEST_F(GalaxyRenderTest, TheEffectTableLoadsStoredSettingsOrAPresetByNumber) {
  const EffectEntry& entry = Effects()[5];
  EXPECT_EQ(entry.themeCount, 16);
  gState.PerfMult = 0.5f;
  Put(kGalaxySection, "Galaxy_Stars", "4000");
  entry.load(0, false);
  EXPECT_EQ(gGalaxySettings.Stars, 4000);
  entry.load(0, true);
  EXPECT_EQ(gGalaxySettings.Stars, 2000);
  entry.load(4, false);
  EXPECT_EQ(gGalaxySettings.Stars, 2250);  // theme 4 holds 4500, always scaled
  EXPECT_FLOAT_EQ(gGalaxySettings.GHW_Ratio, 4);
}

TEST_F(GalaxyRenderTest, PreviewRunsWhatTheBoxesSayAndTheDemoItsOwnValues) {
  PropertiesModel props;
  for (const GalaxySettingRow& row : kGalaxyFields)
    if (row.box.index >= 0) props.SetText("txtGalaxy", row.box.index, "7");
  props.SetText("txtGalaxy", 0, "40000");  // beyond the box: the run clamps it
  props.SetText("txtGalaxy", 1, "12abc");
  props.SetText("txtGalaxy", 33, "0.5");
  props.SetText("txtGalaxy", 61, "");
  props.Lists["cboGalColor"] = 4;
  props.Lists["cboGalProfile"] = 5;
  gState.StopRequested = true;  // one frame is enough
  PreviewGalaxies(props);
  const GalaxySettings& s = gGalaxySettings;
  EXPECT_EQ(s.Stars, 32767);
  EXPECT_FLOAT_EQ(s.Radius, 12);
  EXPECT_FLOAT_EQ(s.Rotation, 7);
  EXPECT_FLOAT_EQ(s.BurstPersist, 0.5f);
  EXPECT_FLOAT_EQ(s.AmbRadius, 0);
  EXPECT_EQ(s.HWheelIdx, 7);
  EXPECT_EQ(s.ColorComp, 4);
  EXPECT_EQ(s.Profile, 5);
  EXPECT_EQ(NormaliseGalaxySettings(s).Stars, 30000);

  gState.StopRequested = true;
  RunGalaxyDemo();
  GalaxySettings demo = GalaxyDefaults();
  demo.Stars = 3500;
  demo.Radius = 270;
  demo.Rotation = 1000;
  EXPECT_EQ(gGalaxySettings, demo);
}

// Cycling with mask bits 32 and 128 shows all sixteen themes in turn, each visibly.
struct ThemeRun {
  int16_t stars;
  size_t lit;
};
std::vector<ThemeRun>* gThemeRuns = nullptr;

TEST_F(GalaxyRenderTest, CyclingThroughTheGalaxyThemesShowsEachOfThem) {
  Put("General", "AnimationType", "5");
  Put("Advanced", "Adv_PickPXRA", "160");
  Put("Advanced", "Adv_EffectFPC", "100");
  Put("Advanced", "Adv_PerfMult", "0.1");
  std::vector<ThemeRun> runs;
  gThemeRuns = &runs;
  EffectTable table = Effects();
  table[5].run = [] {
    RunGalaxies();
    gThemeRuns->push_back({gGalaxySettings.Stars, gState.Canvas->CountLitPixels()});
    if (gThemeRuns->size() == 16) gState.StopRequested = true;
  };
  Canvas surface;
  RunEffectDriver(DriverVariant::Saver, DisplaySurface{&surface, 160, 120, true}, {}, table);
  gThemeRuns = nullptr;
  const int16_t stars[] = {500, 360, 360, 450, 450, 320, 360, 450, 450, 425, 300, 400, 400, 400, 350, 250};
  ASSERT_EQ(runs.size(), 16u);
  for (size_t i = 0; i < runs.size(); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(runs[i].stars, stars[i]);
    EXPECT_GT(runs[i].lit, 10u);
  }
}

}  // namespace
}  // namespace pyxora::testing
