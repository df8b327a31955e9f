#include "effects/fireworks/fireworks_settings.h"

#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>

#include "support/test_support.h"

namespace pyxora {

// Failures print the whole record, field by field in table order.
void PrintTo(const FireworksSettings& s, std::ostream* os) {
  *os << "{";
  for (const FireworksSettingRow& row : kFireworksFields)
    std::visit([&](auto member) { *os << row.key << "=" << +(s.*member) << " "; }, row.member);
  *os << "}";
}

namespace {

class FireworksSettingsTest : public testing::CoreTest {
 protected:
  FireworksSettings Loaded(int16_t theme = 0, bool applyPerfMult = false) {
    LoadFireworksSettings(theme, applyPerfMult);
    return gFireworksSettings;
  }
};

constexpr float u = kFireworksRadiusUnit;

TEST_F(FireworksSettingsTest, AnEmptyStoreLoadsTheFactoryValues) {
  const FireworksSettings s = Loaded();
  const FireworksSettings expected{12,  1500, 5,   1,      6,  0.97f, 0.015f, 3,  0.15f, 8,  8,  0,  9,   20,  20,
                                   15,  10,   20,  12,     3 * u, 75, 300, 1.25f * u, 60, 0.92f, 10, 25, 5, 10, 3,
                                   5,   10,   12,  15,     2 * u, 25 * u, 40, 10, 80, 300, 80, true, true};
  EXPECT_EQ(s, expected);

  // The defaults give the documented simulation units.
  const FireworksSettings run = NormaliseFireworksSettings(s);
  EXPECT_FLOAT_EQ(run.FireGravity, 0.000075f);
  EXPECT_FLOAT_EQ(run.FireDamping, 0.925f);
  EXPECT_FLOAT_EQ(run.FireTwistExt, 0.0625f);
}

TEST_F(FireworksSettingsTest, StoredValuesLoadThroughTheirGetters) {
  struct Case {
    const char* key;
    const char* stored;
    std::function<double(const FireworksSettings&)> field;
    double expected;
  };
  const Case cases[] = {
      {"FireMultiMoment", "1", [](auto& s) { return s.FireMultiMoment; }, 1},
      {"FireMultiMoment", "2", [](auto& s) { return s.FireMultiMoment; }, 0},   // only exactly 1 is on
      {"FireMultiMoment", "-1", [](auto& s) { return s.FireMultiMoment; }, 0},
      {"FireBurstShell", "0", [](auto& s) { return s.FireBurstShell; }, 0},
      {"FireBurstShell", "yes", [](auto& s) { return s.FireBurstShell; }, 1},   // not a number: default on
      {"FireDecayMLife", "80.5", [](auto& s) { return s.FireDecayMLife; }, 80},  // decimal getter, half to even
      {"FireDecayMLife", "81.5", [](auto& s) { return s.FireDecayMLife; }, 82},
      {"FireDecayMLife", "1e9", [](auto& s) { return s.FireDecayMLife; }, 32767},
      {"FireDecayMSize", "412.5", [](auto& s) { return s.FireDecayMSize; }, 412},  // 16-bit getter into a single
      {"FirePersist", "0.5", [](auto& s) { return s.FirePersist; }, 0.5},
      {"FireTwistExt", "400", [](auto& s) { return s.FireTwistExt; }, 1.0},     // 1/400 world units
      {"FireLaunchRadius", "4", [](auto& s) { return s.FireLaunchRadius; }, 0.01},
      {"FireBurstRadius", "8", [](auto& s) { return s.FireBurstRadius; }, 0.02},
      {"FireTwistRad", "40", [](auto& s) { return s.FireTwistRad; }, 0.1},
      {"FireSizeDev", "500", [](auto& s) { return s.FireSizeDev; }, 500},        // the run clamps it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " = " + c.stored);
    Put(kFireworksSection, c.key, c.stored);
    EXPECT_FLOAT_EQ(static_cast<float>(c.field(Loaded())), static_cast<float>(c.expected));
  }
}

// All shells together hold at most 30000 slots, and a launch no more than its shell.
TEST_F(FireworksSettingsTest, SlotsAreCappedAtLoadTime) {
  const struct {
    const char *shells, *sparks, *launch;
    int16_t sparksLoaded, launchLoaded;
  } cases[] = {
      {"99", "9999", "300", 303, 300},   // 30000 \ 99
      {"2", "9999", "300", 9999, 300},   // 15000 never bites
      {"7", "9999", "999", 4285, 999},   // integer division
      {"12", "250", "300", 250, 250},    // the launch cut to the shell
      {"0", "9999", "300", 9999, 300},   // no division by zero: taken as 1
      {"-4", "20000", "300", 20000, 300},
      {"500", "9999", "300", 303, 300},  // taken as 99
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.shells << " shells of " << c.sparks);
    Put(kFireworksSection, "FireWorks", c.shells);
    Put(kFireworksSection, "FireSparks", c.sparks);
    Put(kFireworksSection, "FireLaunchPixel", c.launch);
    const FireworksSettings s = Loaded();
    EXPECT_EQ(s.FireSparks, c.sparksLoaded);
    EXPECT_EQ(s.FireLaunchPixel, c.launchLoaded);
  }
}

TEST_F(FireworksSettingsTest, PerfMultScalesStoredSparksOnlyWhenAskedAndPresetsAlways) {
  gState.PerfMult = 0.5f;
  Put(kFireworksSection, "FireSparks", "1001");
  EXPECT_EQ(Loaded(0, false).FireSparks, 1001);
  EXPECT_EQ(Loaded(0, true).FireSparks, 500);  // 500.5 rounds half to even
  EXPECT_EQ(Loaded(1, false).FireSparks, 600);
  EXPECT_EQ(Loaded(1, true).FireSparks, 600);

  // Scaled first, capped after: 14 shells of 1200 x 2 would exceed 30000.
  gState.PerfMult = 2.0f;
  EXPECT_EQ(Loaded(1, false).FireSparks, 2142);
}

// A preset fills every field from its own column, in the theme field order.
TEST_F(FireworksSettingsTest, ThemesLoadTheirPresetColumns) {
  Put(kFireworksSection, "FireWorks", "3");  // a stored value never leaks into a theme
  const FireworksSettings theme9{10, 1200, 4,  1,  7,     0.975f, 0,  3,   0.1f,   10, 13, 5,     9,  15, 25,
                                 12, 10,   30, 6,  6 * u, 0,      75, 1 * u, 40,  0.85f, 10, 30, 9, 10, 3,
                                 5,  10,   10, 15, 4 * u, 25 * u, 35, 5,   90,  600,    90, true,  true};
  EXPECT_EQ(Loaded(9), theme9);

  using Columns = std::tuple<int16_t, int16_t, float, int16_t, int16_t, int16_t, int16_t, bool>;
  const std::pair<int16_t, Columns> cases[] = {
      {1, {14, 1200, 1, 60, 4, 5, 80, true}},   {2, {14, 1400, 1, 40, 100, 5, 40, false}},
      {6, {7, 1400, 1, 50, 0, 0, 40, false}},   {7, {5, 1800, 0.5f, 80, 0, 10, 40, false}},
      {12, {12, 800, 1, 1, 0, 5, 40, false}},   {13, {14, 1500, 1, 60, 5, 5, 99, true}},
  };
  for (const auto& [theme, columns] : cases) {
    const FireworksSettings s = Loaded(theme);
    EXPECT_EQ(Columns(s.FireWorks, s.FireSparks, s.FireSymmetry, s.FireLaunchSteps, s.FireScintPct, s.FireRingDeg,
                      s.FireDecayMLife, s.FireBurstShell),
              columns)
        << "theme " << theme;
  }
  EXPECT_EQ(FireThemePreset(0), "");
  EXPECT_EQ(FireThemePreset(14), "");
  EXPECT_EQ(Loaded(14).FireWorks, 3);  // no such theme: the stored values
}

TEST_F(FireworksSettingsTest, NormalisationClampsEveryFieldThenScales) {
  FireworksSettings low;
  for (const FireworksSettingRow& row : kFireworksFields) SetFireworksField(row, low, -1e6);
  const FireworksSettings lo = NormaliseFireworksSettings(low);
  const FireworksSettings expectedLow{1,     10,    1,     0,     0.1f, 0.25f, 0, 1,   1,  0,  4,      0,     1,  0,  5,
                                      1,     0,     5,     1,     0.25f * u, 0, 10, 0.25f * u, 1, 0.25f, 0, 5, 1, 0, 1,
                                      0,     0,     1,     0,     0.1f * u, 0.25f * u, -32768, 0, 1, 1, 5, true, true};
  EXPECT_EQ(lo, expectedLow);  // FirePatternPct is used as loaded; the damping factor of 0 drag is 1

  FireworksSettings high;
  for (const FireworksSettingRow& row : kFireworksFields) SetFireworksField(row, high, 1e6);
  const FireworksSettings hi = NormaliseFireworksSettings(high);
  const FireworksSettings expectedHigh{99,  9999, 99,  1,   99.9f, 0.99f, 9.9f * 0.005f, 99, 0.5f, 100, 99,  100, 9,
                                       100, 99,   99,  100, 99,    99,    99.9f * u,     100, 999, 99.9f * u, 999, 0.99f,
                                       100, 99,   30,  100, 99,    180,   100,           99,  90,  99.9f * u,
                                       999.9f * u, 32767, 100, 99, 9999, 999, true, true};
  EXPECT_EQ(hi, expectedHigh);

  FireworksSettings s = FireworksDefaults();
  s.FireDecayMSize = 412.5f;
  EXPECT_EQ(NormaliseFireworksSettings(s).FireDecayMSize, 412.0f);  // rounded half to even
  s.FireDecayMSize = 0.4f;
  EXPECT_EQ(NormaliseFireworksSettings(s).FireDecayMSize, 1.0f);
}

}  // namespace
}  // namespace pyxora
