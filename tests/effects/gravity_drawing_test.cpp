// Colours, attractor circles, the stereographic pair, and the entries that fill the
// settings themselves (the Properties preview and the about-window demo).
#include <cmath>
#include <limits>
#include <map>

#include "effects/gravity/gravity_wells.h"
#include "gravity_fixture.h"
#include "settings/properties_model.h"

namespace pyxora::testing {
namespace {

class GravityDrawingTest : public GravityTest {
 protected:
  // How many lit pixels show each colour.
  std::map<uint32_t, size_t> Colours() const {
    std::map<uint32_t, size_t> colours;
    for (const Pixel& p : LitPixels()) ++colours[canvas_.GetPixel(p.first, p.second)];
    return colours;
  }
};

TEST_F(GravityDrawingTest, AttractorRadiusDrawsWhiteCirclesOrNone) {
  for (int16_t radius : {0, 1, 5}) {
    SCOPED_TRACE(radius);
    std::vector<std::pair<double, double>> centres;
    RunFrames(Run([&](GravitySettings& s) { s.AttractorRadius = radius, s.Pixels = 200; }), false, 10,
              {TrailStrategy::Auto, [&](const StarField& f) {
                 centres.clear();
                 for (size_t j = 0; j < f.attractorX.size(); ++j)
                   centres.emplace_back(gViewport.ProjScale * f.attractorX[j] / f.attractorZ[j] + gViewport.CentreX,
                                        gViewport.ProjScale * f.attractorY[j] / f.attractorZ[j] + gViewport.CentreY);
               }});
    const size_t white = Colours()[kWhite];  // the hue wheel has no white
    if (radius == 0) {
      EXPECT_EQ(white, 0u);
      continue;
    }
    EXPECT_GT(white, 0u);
    for (const Pixel& p : LitPixels()) {
      if (canvas_.GetPixel(p.first, p.second) != kWhite) continue;
      double nearest = 1e9;
      for (const auto& [cx, cy] : centres) nearest = std::min(nearest, std::hypot(p.first - cx, p.second - cy));
      EXPECT_LE(nearest, radius + 0.75) << p.first << "," << p.second;
      EXPECT_GE(nearest, radius - 1.75) << p.first << "," << p.second;
    }
  }
}

// With no pull every star keeps its speed: the measures that depend only on speed give
// fixed hues, and the hue index wraps round the wheel whatever HueStart holds.
TEST_F(GravityDrawingTest, ColourMeasuresPickHuesFromTheWheel) {
  const struct {
    int16_t comp;
    int16_t hueStart;
    int32_t colorMult;
    int hue;
  } cases[] = {
      {2, 100, 15000, 100},   // constant speed: no change of speed, hue HueStart
      {1, 100, 0, 100},       // no gain: HueStart
      {1, 400, 0, 40},        // wraps past 360
      {2, -260, 15000, 100},  // a negative stored HueStart wraps too
      {7, 100, 15000, 100},   // a measure outside 0..2 measures nothing
      {-1, 30, 15000, 30},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "measure " << c.comp << ", HueStart " << c.hueStart);
    gColorSettings.HueStart = c.hueStart;
    GravitySettings run = Run([&](GravitySettings& s) { s.ColorComp = c.comp, s.AttractorRadius = 0, s.Pixels = 300; });
    run.ColorMult = c.colorMult;
    run.Gravity = 0;  // attractors without mass
    RunFrames(run, false, 5);
    const auto colours = Colours();
    ASSERT_EQ(colours.size(), 1u);
    EXPECT_EQ(colours.begin()->first, HueWheel[c.hue]);
  }
}

// Colour measure 0 is a hundredth of the star's distance from the eye, not from the
// world centre: the hue nearest(c ColorMult + HueStart) mod 360.
TEST_F(GravityDrawingTest, TheDistanceMeasureIsAHundredthOfTheDistanceFromTheEye) {
  gColorSettings.HueStart = 30;
  const GravitySettings run =
      Run([](GravitySettings& s) { s.ColorComp = 0, s.ColorMult = 100, s.AttractorRadius = 0, s.Pixels = 10; });
  size_t checked = 0;
  RunFrames(run, false, 20, {TrailStrategy::Auto, [&](const StarField& f) {
                               std::map<Pixel, int> stars;
                               for (size_t k = 0; k < 10; ++k)
                                 if (const auto p = StarPixel(f, k)) ++stars[*p];
                               for (size_t k = 0; k < 10; ++k) {
                                 const auto p = StarPixel(f, k);
                                 if (!p || stars[*p] > 1) continue;  // another star shares the pixel
                                 const float c = 0.01f * std::sqrt(f.x[k] * f.x[k] + f.y[k] * f.y[k] + f.z[k] * f.z[k]);
                                 EXPECT_EQ(canvas_.GetPixel(p->first, p->second), HueWheel[std::lrint(c * 1000 + 30) % 360]);
                                 ++checked;
                               }
                             }});
  EXPECT_GT(checked, 100u);
}

TEST_F(GravityDrawingTest, SpeedMeasureSpreadsStarsOverTheWheel) {
  RunFrames(Run([](GravitySettings& s) { s.Pixels = 2000, s.AttractorRadius = 0; }), false, 100);
  const auto colours = Colours();
  EXPECT_GT(colours.size(), 5u);
  for (const auto& [colour, count] : colours)
    EXPECT_NE(std::find(HueWheel.begin(), HueWheel.end(), colour), HueWheel.end()) << std::hex << colour;
}

TEST_F(GravityDrawingTest, AHueBeyond32BitsSkipsTheStar) {
  GravitySettings run = Run([](GravitySettings& s) { s.AttractorRadius = 0, s.Pixels = 300; });
  run.ColorMult = std::numeric_limits<int32_t>::max();
  run.EmitSpeed = 5;  // speed 5 times 2^31 does not fit
  RunFrames(run, true, 5);
  EXPECT_EQ(canvas_.CountLitPixels(), 0u);
}

TEST_F(GravityDrawingTest, StereoWithNoSeparationDrawsTheSecondImageOnTheSamePixelLast) {
  gColorSettings.HueStart = 30;
  const GravitySettings run = Run([](GravitySettings& s) {
    s.StereoSep = 0, s.StereoHue = 180, s.ColorMult = 0, s.AttractorRadius = 0, s.TrailLength = 3;
  });
  RunFrames(run, false, 30);
  const std::set<Pixel> mono = LitPixels();
  EXPECT_EQ(Colours().begin()->first, HueWheel[30]);

  RunFrames(run, true, 30);
  EXPECT_TRUE(LitPixels() == mono);
  const auto colours = Colours();
  ASSERT_EQ(colours.size(), 1u);
  EXPECT_EQ(colours.begin()->first, HueWheel[210]);
}

TEST_F(GravityDrawingTest, StereoDrawsASecondImageToTheLeftInTheOffsetHue) {
  gColorSettings.HueStart = 0;
  const GravitySettings run = Run([](GravitySettings& s) {
    s.StereoSep = 250, s.StereoHue = 120, s.ColorMult = 0, s.AttractorRadius = 0;
  });
  RunFrames(run, true, 20);
  const auto colours = Colours();
  ASSERT_EQ(colours.size(), 2u);
  EXPECT_GT(colours.at(HueWheel[0]), 100u);
  EXPECT_GT(colours.at(HueWheel[120]), 100u);
}

TEST_F(GravityDrawingTest, ThePreviewReadsTheBoxesClampsThemAndIgnoresPerfMult) {
  PropertiesModel props;
  const char* texts[] = {"12abc", "", "99999999999999999999999", "2.5", "0", "-4", "3", "50000", "x", "7", "400"};
  for (int i = 0; i <= 10; ++i) props.SetText("txtGrav", i, texts[i]);
  props.Lists["cboGravColor"] = 5;
  props.Checks["chkGravStereo"] = true;
  gState.PerfMult = 0.5f;
  host_.onEvents = [] { gState.PreviewStopRequested = true; };
  PreviewGravityWells(props);
  const GravitySettings& s = gGravitySettings;
  EXPECT_EQ(s.Emitters, 9);       // 12 -> 9
  EXPECT_EQ(s.Attractors, 1);     // empty -> 0 -> 1
  EXPECT_EQ(s.Pixels, 9999);
  EXPECT_EQ(s.EmitSpeed, 2.0f);   // halves to even
  EXPECT_EQ(s.Gravity, 1.0f);
  EXPECT_EQ(s.AttractorRadius, 0);  // "0-4" reads as 0
  EXPECT_EQ(s.TrailLength, 3);
  EXPECT_EQ(s.Refresh, 9999);     // the box's limit, not the run's 30000
  EXPECT_EQ(s.ColorMult, 0);
  EXPECT_EQ(s.StereoSep, 7.0f);
  EXPECT_EQ(s.StereoHue, 359);
  EXPECT_EQ(s.ColorComp, 2);
  EXPECT_TRUE(s.StereoOn);
  EXPECT_FALSE(gState.PreviewStopRequested);

  props.Lists["cboGravColor"] = -1;  // nothing chosen
  props.Checks["chkGravStereo"] = false;
  PreviewGravityWells(props);
  EXPECT_EQ(gGravitySettings.ColorComp, 0);
  EXPECT_FALSE(gGravitySettings.StereoOn);
}

TEST_F(GravityDrawingTest, TheDemoRunsItsOwnValuesAndKeepsTheColourMeasure) {
  gGravitySettings = GravityDefaults();
  gGravitySettings.ColorComp = 2;
  gGravitySettings.StereoOn = true;
  StopAfter(20);
  RunGravityDemo();
  const GravitySettings& s = gGravitySettings;
  EXPECT_EQ(s.Pixels, 1200);
  EXPECT_EQ(s.TrailLength, 5);
  EXPECT_EQ(s.Refresh, 10000);
  EXPECT_EQ(s.ColorComp, 2);
  EXPECT_EQ(host_.presented, 20);
  EXPECT_GT(canvas_.CountLitPixels(), 100u);
}

// Whatever the store holds, a run clamps it and draws without faults (the sanitizer
// build runs this too).
TEST_F(GravityDrawingTest, AbsurdStoredValuesRunSafely) {
  const char* values[] = {"-99999", "99999", "1e300", "-1e300", "abc", "", "3.7", "2147483648"};
  for (const char* value : values) {
    SCOPED_TRACE(value);
    for (const GravitySettingRow& row : kGravityFields) Put(kGravitySection, row.key, value);
    Put("Advanced", "Adv_HueStart", value);
    LoadColorSettings();
    BuildHueWheel();
    LoadGravitySettings(true);
    canvas_.Prepare();
    host_.presented = 0;
    gState.StopRequested = false;
    StopAfter(3);
    RunGravityWells();
    EXPECT_EQ(host_.presented, 3);
  }
}

}  // namespace
}  // namespace pyxora::testing
