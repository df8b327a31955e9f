#include "effects/fireworks/fireworks_settings.h"

#include <array>
#include <functional>
#include <ostream>
#include <string>
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

// Every theme, field by field and with its name: one row per field in the order a preset
// lists them, one column per theme 1..13 (the switches as 1 = on), in stored units.
TEST_F(FireworksSettingsTest, EveryThemeHoldsItsPreset) {
  const std::pair<const char*, std::array<float, kFireThemeCount>> table[] = {
      {"FireWorks", {14, 14, 8, 12, 12, 7, 5, 10, 10, 4, 8, 12, 14}},
      {"FireSparks", {1200, 1400, 1000, 1200, 1000, 1400, 1800, 900, 1200, 2500, 1000, 800, 1500}},
      {"FireLength", {5, 10, 10, 10, 5, 5, 10, 8, 4, 7, 5, 5, 5}},
      {"FireSymmetry", {1, 1, 1, 1, 1, 1, 0.5, 1, 1, 1, 1, 1, 1}},
      {"FireSpeed", {5, 5, 8, 7, 4, 6, 10, 8, 7, 4, 3, 8, 7}},
      {"FirePersist", {0.97, 0.96, 0.96, 0.96, 0.97, 0.98, 0.98, 0.97, 0.975, 0.985, 0.985, 0.97, 0.98}},
      {"FireGravity", {0.03, 0.05, 0.04, 0.05, 0.02, 0.02, 0.01, 0.02, 0.0, 0, 0, 0.02, 0.02}},
      {"FireSizeDev", {3, 3, 3, 3, 4, 3, 4, 2, 3, 12, 4, 3, 3}},
      {"FireDamping", {0.175, 0.175, 0.3, 0.2, 0.15, 0.1, 0.02, 0.15, 0.1, 0.02, 0.01, 0.2, 0.175}},
      {"FireLaunchPct", {100, 75, 100, 100, 100, 100, 100, 100, 0, 0, 0, 100, 80}},
      {"FireLaunchPixel", {300, 300, 400, 200, 300, 250, 500, 300, 75, 75, 50, 900, 400}},
      {"FireLaunchRadius", {1.2, 1, 1.5, 1, 1, 2, 1.5, 1, 1, 2, 2, 20, 1.2}},
      {"FireLaunchSteps", {60, 40, 40, 40, 50, 50, 80, 50, 40, 50, 40, 1, 60}},
      {"FireLaunchPersist", {0.92, 0.75, 0.92, 0.88, 0.9, 0.9, 0.93, 0.88, 0.85, 0.85, 0.75, 0.93, 0.92}},
      {"FireSplinePct", {5, 0, 0, 0, 0, 0, 0, 0, 10, 0, 100, 0, 10}},
      {"FireSplineKnot", {7, 10, 10, 10, 10, 10, 10, 10, 13, 10, 10, 10, 10}},
      {"FirePatternPct", {25, 25, 0, 25, 25, 0, 0, 0, 35, 0, 0, 20, 25}},
      {"FireMultiPct", {20, 0, 0, 0, 100, 0, 0, 0, 15, 0, 0, 0, 20}},
      {"FireMultiAge", {25, 25, 25, 25, 25, 30, 30, 30, 25, 25, 25, 40, 30}},
      {"FireMultiBurst", {10, 10, 10, 10, 10, 12, 12, 12, 12, 10, 10, 10, 14}},
      {"FireMultiMoment", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {"FireBurstPct", {10, 0, 100, 34, 0, 0, 0, 0, 10, 0, 0, 0, 15}},
      {"FireBurstAge", {40, 30, 40, 30, 30, 30, 30, 30, 30, 30, 30, 30, 20}},
      {"FireBurstCount", {6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 5, 8}},
      {"FireBurstRadius", {3, 2, 4, 3, 2, 2, 2, 2, 6, 2, 2, 2, 4}},
      {"FireBurstShell", {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1}},
      {"FireScintPct", {4, 100, 0, 33, 0, 0, 0, 0, 5, 0, 0, 0, 5}},
      {"FireScintStyle", {5, 5, 9, 5, 9, 9, 9, 9, 9, 9, 9, 5, 5}},
      {"FireSparkPct", {7, 0, 0, 0, 0, 0, 0, 0, 10, 0, 0, 0, 7}},
      {"FireSparkAge", {30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30}},
      {"FireSparkPix", {5, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 5}},
      {"FireRingPct", {10, 0, 0, 0, 0, 100, 100, 0, 10, 0, 0, 0, 10}},
      {"FireRingEmb", {3, 3, 3, 3, 3, 3, 1, 3, 3, 3, 3, 3, 4}},
      {"FireRingDeg", {5, 5, 5, 5, 5, 0, 10, 5, 5, 5, 5, 5, 5}},
      {"FireTwistPct", {10, 0, 0, 0, 0, 0, 0, 100, 10, 0, 0, 0, 10}},
      {"FireTwistCnt", {10, 20, 20, 20, 20, 20, 20, 10, 10, 20, 20, 20, 10}},
      {"FireTwistDeg", {15, 20, 20, 20, 20, 20, 20, 20, 15, 20, 20, 20, 15}},
      {"FireTwistRad", {3, 1, 1, 1, 1, 1, 1, 4, 4, 1, 1, 1, 3}},
      {"FireTwistExt", {20, 10, 10, 10, 10, 10, 10, 25, 25, 10, 10, 10, 30}},
      {"FireDecayPct", {8, 0, 0, 33, 0, 0, 0, 0, 5, 0, 0, 0, 6}},
      {"FireDecayCnt", {60, 16, 16, 90, 16, 16, 16, 16, 90, 16, 16, 16, 99}},
      {"FireDecayMSize", {800, 600, 600, 900, 600, 600, 600, 600, 600, 600, 600, 600, 800}},
      {"FireDecayMLife", {80, 40, 40, 60, 40, 40, 40, 40, 90, 40, 40, 40, 99}},
  };
  const char* const names[] = {"Generic:  Random Mixed Bag",
                               "Sparkles:  Scintillators Only",
                               "Explosive:  Jet Bursts Only",
                               "Starburst:  Scintillators, Jets, Decay Sparks",
                               "Mega Shells:  Multi-Bursts Only",
                               "Ring World:  Ring-Bursts Only",
                               "Disk World:  Disk-Bursts Only",
                               "Sky Loopers:  Twister-Bursts Only",
                               "Stratosphere:  View High in the Sky",
                               "Sphere Space:  Large Expanding Spheres",
                               "String Space:  Spline Warping Madness",
                               "Ground Burst:  Explosions from the Ground",
                               "Grand Finale:  Looks great on a P300-MMX"};
  EXPECT_STREQ(kFireworksThemeNames[0], "< NONE >");
  for (int16_t theme = 1; theme <= kFireThemeCount; ++theme) {
    EXPECT_STREQ(kFireworksThemeNames[theme], names[theme - 1]);
    FireworksSettings s;
    ApplyFireworksTheme(theme, s);
    for (const auto& [key, column] : table)
      EXPECT_FLOAT_EQ(static_cast<float>(testing::FieldValue(kFireworksFields, s, key)), column[theme - 1])
          << "theme " << theme << " " << key;
  }
  Put(kFireworksSection, "FireWorks", "3");  // a stored value never leaks into a theme
  EXPECT_EQ(Loaded(9).FireWorks, 10);
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
