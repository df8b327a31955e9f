#include "effects/gravity/gravity_settings.h"

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>

#include "support/test_support.h"

namespace pyxora {

// Failures print the whole record.
void PrintTo(const GravitySettings& s, std::ostream* os) {
  *os << "{" << s.Emitters << ", " << s.Attractors << ", " << s.Pixels << ", " << s.EmitSpeed << ", " << s.Gravity
      << ", " << s.AttractorRadius << ", " << s.TrailLength << ", " << s.Refresh << ", " << s.ColorMult << ", "
      << s.StereoSep << ", " << s.StereoHue << ", " << s.ColorComp << ", " << s.StereoOn << "}";
}

namespace {

class GravitySettingsTest : public testing::CoreTest {
 protected:
  GravitySettings Loaded(bool applyPerfMult = false) {
    LoadGravitySettings(applyPerfMult);
    return gGravitySettings;
  }
};

TEST_F(GravitySettingsTest, AnEmptyStoreLoadsTheFactoryValues) {
  const GravitySettings s = Loaded();
  EXPECT_EQ(s, (GravitySettings{1, 2, 3000, 15, 75, 1, 1, 1000, 1500, 250, 180, 1, false}));
  EXPECT_EQ(s, GravityDefaults());

  // The defaults give the documented simulation units.
  const GravitySettings run = NormaliseGravitySettings(s);
  EXPECT_FLOAT_EQ(run.EmitSpeed, 0.015f);
  EXPECT_FLOAT_EQ(run.Gravity, 0.000075f);
  EXPECT_EQ(run.ColorMult, 15000);
  EXPECT_FLOAT_EQ(run.StereoSep, 0.025f);
}

// Each key goes through its own getter: 16-bit, 32-bit or single precision.
TEST_F(GravitySettingsTest, StoredValuesLoadThroughTheirGetters) {
  struct Case {
    const char* key;
    const char* stored;
    std::function<double(const GravitySettings&)> field;
    double expected;
  };
  const Case cases[] = {
      {"Grav_StereoOn", "-1", [](auto& s) { return s.StereoOn; }, 1},
      {"Grav_StereoOn", "1", [](auto& s) { return s.StereoOn; }, 1},
      {"Grav_StereoOn", "7", [](auto& s) { return s.StereoOn; }, 1},
      {"Grav_StereoOn", "0", [](auto& s) { return s.StereoOn; }, 0},
      {"Grav_StereoOn", "on", [](auto& s) { return s.StereoOn; }, 0},  // not a number: the default
      {"Grav_ESpeed", "2.5", [](auto& s) { return s.EmitSpeed; }, 2.5},
      {"Grav_Pixels", "2.5", [](auto& s) { return s.Pixels; }, 2},          // 16-bit, half to even
      {"Grav_Emitters", "99999", [](auto& s) { return s.Emitters; }, 0},    // too big for 16 bits
      {"Grav_TrailLength", "99999", [](auto& s) { return s.TrailLength; }, 99999},  // 32-bit getter
      {"Grav_StereoSep", "12.5", [](auto& s) { return s.StereoSep; }, 12},  // 32-bit getter rounds
      {"Grav_Gravity", "1e39", [](auto& s) { return s.Gravity; }, 0},       // beyond single precision
      {"Grav_ColorComp", "7", [](auto& s) { return s.ColorComp; }, 7},      // used as loaded
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " = " + c.stored);
    Put(kGravitySection, c.key, c.stored);
    EXPECT_EQ(c.field(Loaded()), c.expected);
  }
}

TEST_F(GravitySettingsTest, PerfMultScalesTheStarsOnlyWhenAsked) {
  gState.PerfMult = 0.6f;
  Put(kGravitySection, "Grav_Pixels", "3000");
  EXPECT_EQ(Loaded(true).Pixels, 1800);
  EXPECT_EQ(Loaded(false).Pixels, 3000);

  gState.PerfMult = 0.5f;
  Put(kGravitySection, "Grav_Pixels", "25");
  EXPECT_EQ(Loaded(true).Pixels, 12);  // 12.5 rounds half to even

  // More than 16 bits hold: the most there can be, which the run clamps to 9999.
  gState.PerfMult = 9.9f;
  Put(kGravitySection, "Grav_Pixels", "9999");
  EXPECT_EQ(Loaded(true).Pixels, 32767);
  EXPECT_EQ(NormaliseGravitySettings(gGravitySettings).Pixels, 9999);
}

TEST_F(GravitySettingsTest, NormalisationClampsThenScales) {
  GravitySettings s = GravityDefaults();
  s.EmitSpeed = 2.5f;
  EXPECT_FLOAT_EQ(NormaliseGravitySettings(s).EmitSpeed, 0.002f);  // 2.5 rounds to 2
  s.EmitSpeed = 0.4f;
  EXPECT_FLOAT_EQ(NormaliseGravitySettings(s).EmitSpeed, 0.001f);  // rounds to 0, clamped up to 1

  // Every field from far below and far above its range.
  GravitySettings low{-5, -5, -5, -1e30f, -1e30f, -5, -5, -5, -5, -1e30f, -5, -5, false};
  const GravitySettings lo = NormaliseGravitySettings(low);
  EXPECT_EQ(lo.Emitters, 1);
  EXPECT_EQ(lo.Attractors, 1);
  EXPECT_EQ(lo.Pixels, 10);
  EXPECT_FLOAT_EQ(lo.EmitSpeed, 0.001f);
  EXPECT_FLOAT_EQ(lo.Gravity, 0.000001f);
  EXPECT_EQ(lo.AttractorRadius, 0);
  EXPECT_EQ(lo.TrailLength, 1);
  EXPECT_EQ(lo.Refresh, 0);
  EXPECT_EQ(lo.ColorMult, 0);
  EXPECT_EQ(lo.StereoSep, 0.0f);
  EXPECT_EQ(lo.StereoHue, 0);
  EXPECT_EQ(lo.ColorComp, -5);  // used as loaded

  GravitySettings high{32767, 32767, 32767, 1e30f, 1e30f, 32767, 2147483647, 50000, 2147483647, 1e30f, 32767, 1, true};
  const GravitySettings hi = NormaliseGravitySettings(high);
  EXPECT_EQ(hi.Emitters, 9);
  EXPECT_EQ(hi.Attractors, 9);
  EXPECT_EQ(hi.Pixels, 9999);
  EXPECT_FLOAT_EQ(hi.EmitSpeed, 0.999f);
  EXPECT_FLOAT_EQ(hi.Gravity, 0.03f);
  EXPECT_EQ(hi.AttractorRadius, 99);
  EXPECT_EQ(hi.TrailLength, 999);
  EXPECT_EQ(hi.Refresh, 30000);  // the run allows more than the box's 9999
  EXPECT_EQ(hi.ColorMult, 99990);
  EXPECT_FLOAT_EQ(hi.StereoSep, 0.9999f);
  EXPECT_EQ(hi.StereoHue, 359);
  EXPECT_TRUE(hi.StereoOn);
}

TEST_F(GravitySettingsTest, ThemesCarryTheirNamesAndThirteenFields) {
  EXPECT_STREQ(kGravityThemeNames[0], "< NONE >");
  EXPECT_STREQ(kGravityThemeNames[1], "Simple Ocillator");
  EXPECT_STREQ(kGravityThemeNames[4], "Single Blob / Multiple Gravity Sources");
  EXPECT_STREQ(kGravityThemeNames[5], "Sample Sterographic Ocillator");
  EXPECT_EQ(GravityThemePreset(0), "");
  EXPECT_EQ(GravityThemePreset(6), "");
  EXPECT_EQ(GravityThemePreset(-1), "");
  for (int16_t theme = 1; theme <= kGravityThemeCount; ++theme) {
    const std::string preset = GravityThemePreset(theme);
    EXPECT_EQ(std::count(preset.begin(), preset.end(), ','), 12) << preset;
  }
}

TEST_F(GravitySettingsTest, ApplyingAThemeWritesEveryFieldAsTheWindowWould) {
  GravitySettings s = GravityDefaults();
  ApplyGravityTheme(3, s);  // "High Gravity Projectile"
  EXPECT_EQ(s, (GravitySettings{1, 1, 3000, 2, 2500, 1, 5, 60, 50, 0, 0, 1, false}));

  // The stereographic theme ticks the box and puts the second image 240 degrees on.
  ApplyGravityTheme(5, s);
  EXPECT_TRUE(s.StereoOn);
  EXPECT_EQ(s.StereoHue, 240);
  EXPECT_EQ(s.StereoSep, 250.0f);
  EXPECT_EQ(s.Pixels, 2000);

  // "< NONE >" and unknown indexes change nothing.
  const GravitySettings before = s;
  ApplyGravityTheme(0, s);
  ApplyGravityTheme(6, s);
  EXPECT_TRUE(before == s);
}

TEST_F(GravitySettingsTest, TheTableHasOneRowPerFieldInBoxOrder) {
  // The preview and the theme loader rely on row i being field i, box i for 0..10.
  for (size_t i = 0; i < kGravityFields.size(); ++i)
    EXPECT_EQ(kGravityFields[i].box.index, i <= 10 ? static_cast<int>(i) : -1) << kGravityFields[i].key;
  EXPECT_EQ(kGravityFields[4].box.kind, 2);  // Gravity is the one 32-bit box
}

}  // namespace
}  // namespace pyxora
