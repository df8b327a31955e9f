#include "effects/galaxy/galaxy_settings.h"

#include <array>
#include <functional>
#include <string>
#include <utility>

#include "support/test_support.h"

namespace pyxora {
namespace {

class GalaxySettingsTest : public testing::CoreTest {
 protected:
  GalaxySettings Loaded(int16_t theme = 0, bool applyPerfMult = false) {
    gGalaxySettings = GalaxySettings{};
    LoadGalaxySettings(theme, applyPerfMult);
    return gGalaxySettings;
  }
};

TEST_F(GalaxySettingsTest, AnEmptyStoreLoadsTheFactoryValuesInSimulationUnits) {
  const GalaxySettings s = Loaded();
  EXPECT_EQ(s, GalaxyDefaults());
  EXPECT_EQ(s.Stars, 5000);
  EXPECT_EQ(s.ColorComp, 3);
  EXPECT_FLOAT_EQ(s.CometCPersist, 0.998f);

  const GalaxySettings run = NormaliseGalaxySettings(s);
  EXPECT_FLOAT_EQ(run.Radius, 2.0f);
  EXPECT_FLOAT_EQ(run.RadiusSq, 4.0f);
  EXPECT_FLOAT_EQ(run.Rotation, 0.00025f);
  EXPECT_FLOAT_EQ(run.Distance, 300.0f);  // the loop scales it
  EXPECT_FLOAT_EQ(run.Velocity, 0.00375f);
  EXPECT_FLOAT_EQ(run.AngleTilt, 20 * 6.2831855f / 360);
  EXPECT_FLOAT_EQ(run.NewExtMult, 0.075f);
  EXPECT_FLOAT_EQ(run.NovaFreq, 0.03f);
  EXPECT_FLOAT_EQ(run.NovaExtMult, 0.05f);
  EXPECT_FLOAT_EQ(run.BurstSpeed, 0.004f);
  EXPECT_FLOAT_EQ(run.CometOrbit, 0.0006f);
  EXPECT_FLOAT_EQ(run.CometSpeed, 0.001f);
  EXPECT_FLOAT_EQ(run.CometSWind, 0.003f);
  EXPECT_FLOAT_EQ(run.AmbRadius, 25.0f);
  EXPECT_EQ(run.ColorMult, 1800);
}

// Each key goes through its own getter, under the name the loader asks for.
TEST_F(GalaxySettingsTest, StoredValuesLoadThroughTheirGetters) {
  struct Case {
    const char* key;
    const char* stored;
    std::function<double(const GalaxySettings&)> field;
    double expected;
  };
  const Case cases[] = {
      {"Galaxy_CometCPersist", "0.9", [](auto& s) { return s.CometCPersist; }, 0.9f},
      {"GALAXY_COMETCPERSIST", "0.5", [](auto& s) { return s.CometCPersist; }, 0.5f},
      {"Galaxy_Radius", "200.5", [](auto& s) { return s.Radius; }, 200},        // 16-bit getter, half to even
      {"Galaxy_Rotation", "200.5", [](auto& s) { return s.Rotation; }, 200.5},  // single precision
      {"Galaxy_Distance", "70000", [](auto& s) { return s.Distance; }, 70000},  // 32-bit getter
      {"Galaxy_Stars", "70000", [](auto& s) { return s.Stars; }, 0},            // not 16 bits
      {"Galaxy_ColorMult", "70000", [](auto& s) { return s.ColorMult; }, 70000},
      {"Galaxy_AmbRadius", "2500.5", [](auto& s) { return s.AmbRadius; }, 2500},
      {"Galaxy_NovaFreq", "12.5", [](auto& s) { return s.NovaFreq; }, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " = " + c.stored);
    Put(kGalaxySection, c.key, c.stored);
    EXPECT_EQ(c.field(Loaded()), c.expected);
  }
}

TEST_F(GalaxySettingsTest, ThemesAreAlwaysScaledByPerfMultAndStoredValuesOnlyWhenAsked) {
  gState.PerfMult = 0.6f;
  EXPECT_EQ(Loaded(1, false).Stars, 3000);
  EXPECT_EQ(Loaded(1, false).AmbStars, 60);
  EXPECT_EQ(Loaded(0, false).Stars, 5000);
  EXPECT_EQ(Loaded(0, false).AmbStars, 100);
  EXPECT_EQ(Loaded(0, true).Stars, 3000);
  EXPECT_EQ(Loaded(0, true).AmbStars, 60);

  // A theme ignores the store.
  Put(kGalaxySection, "Galaxy_Radius", "999");
  EXPECT_FLOAT_EQ(Loaded(1).Radius, 200);
}

// Every theme, field by field and with its name, in preset field order (field 6 is the
// plane list, which no field holds).
TEST_F(GalaxySettingsTest, EveryThemeHoldsItsPreset) {
  const char* const keys[] = {
      "Galaxy_Stars", "Galaxy_Radius", "Galaxy_Rotation", "Galaxy_Distance", "Galaxy_Velocity", "Galaxy_Trail",
      nullptr, "Galaxy_ColorMult", "Galaxy_RadiusExp", "Galaxy_HeightExp", "Galaxy_GHW_Ratio", "Galaxy_AngleTilt",
      "Galaxy_AngleTInc", "Galaxy_HWheelIdx", "Galaxy_ColorComp", "Galaxy_Profile", "Galaxy_NewFreq",
      "Galaxy_NewFrames", "Galaxy_NewExtMult", "Galaxy_NovaFreq", "Galaxy_NovaFrames", "Galaxy_NovaExtMult",
      "Galaxy_BurstFreq", "Galaxy_BurstStars", "Galaxy_BurstSpeed", "Galaxy_BurstPersist", "Galaxy_CometFreq",
      "Galaxy_CometStars", "Galaxy_CometOrbit", "Galaxy_CometSpeed", "Galaxy_CometSWind", "Galaxy_CometSPersist",
      "Galaxy_CometCPersist", "Galaxy_AmbStars", "Galaxy_AmbRadius", "Galaxy_AmbSymmetry", "Galaxy_AmbPersist",
      "Galaxy_AmbCAgeInc"};
  const std::pair<const char*, std::array<float, 38>> themes[] = {
      {"Classical", {5000, 200, 250, 300, 375, 1, 0, 1800, 1.3, 1.5, 0.30, 20, 0.043, 240, 3, 0, 125, 16, 75, 300,
       40, 750, 200, 100, 500, 0.95, 400, 125, 60, 100, 300, 0.94, 0.998, 100, 2000, 0, 0.996, 0.35}},
      {"Vast Red-Orange Disk", {3600, 1000, 1000, 750, 500, 3, 0, 700, 1.5, 2, 0.2, 160, 359.96, 0, 3, 1, 300, 10,
       250, 100, 200, 4000, 200, 250, 1000, 0.95, 200, 50, 200, 100, 200, 0.94, 0.9975, 100, 2000, 0, 0.990, 1}},
      {"Cool Green Sphere", {3600, 225, 400, 300, 100, 2, 0, 2250, 1, 1, 1, 20, 0.1, 120, 3, 2, 200, 20, 500, 100,
       30, 2500, 100, 100, 300, 0.95, 400, 50, 100, 100, 200, 0.94, 0.9975, 100, 2000, 0, 0.995, 0.5}},
      {"Holiday Ornament", {4500, 150, 350, 250, 100, 1, 0, 400, 2, 1.4, 4, 20, 0.2, 60, 3, 1, 400, 10, 200, 200,
       30, 1000, 100, 100, 300, 0.95, 400, 50, 400, 100, 200, 0.94, 0.9975, 100, 2000, 0, 0.995, 0.5}},
      {"Dual-Dome Interior", {4500, 360, 600, 450, 200, 1, 0, 6000, 1, .02, 0.5, 20, 0.20, 240, 3, 0, 250, 5, 50,
       300, 50, 1500, 300, 200, 600, 0.94, 600, 50, 25, 100, 800, 0.94, 0.995, 100, 3000, 0, 0.99, 0.6}},
      {"Solar Wind Comets", {3200, 200, 600, 250, 100, 2, 0, 1200, 1.6, 1.6, 0.68, 20, 0.1, 240, 3, 0, 250, 10,
       125, 150, 40, 1000, 75, 100, 2000, 0.95, 1250, 50, 125, 150, 2500, 0.94, 0.9975, 100, 2000, 0, 0.995, 0.5}},
      {"Twisting Ring World", {3600, 200, 3000, 225, 100, 2, 0, 7500, .1, 1, .5, 160, 359, 240, 3, 2, 400, 8, 75,
       200, 40, 500, 100, 100, 600, 0.95, 500, 50, 400, 125, 200, 0.94, 0.9975, 100, 2000, 0, 0.995, 0.5}},
      {"Huge Hollow Shell", {4500, 200, 500, 275, 100, 1, 0, 8000, .2, .2, 1, 60, 0.10, 180, 3, 2, 400, 6, 60, 300,
       40, 800, 100, 100, 800, 0.95, 500, 50, 150, 100, 300, 0.94, 0.9975, 100, 2000, 0, 0.995, 0.5}},
      {"Cylindrical Hourglass", {4500, 150, 400, 300, 100, 1, 0, 720, 1.3, 0.7, 3, 45, 0.25, 60, 3, 6, 300, 10,
       275, 120, 30, 600, 100, 100, 750, 0.92, 600, 50, 100, 100, 500, 0.94, 0.9975, 100, 2000, 0, 0.960, 2}},
      {"Cylinder-Disk Hybrid", {4250, 500, 500, 600, 150, 2, 0, 1000, 1, 1, 1.5, 20, 0.05, 330, 3, 5, 300, 6, 50,
       125, 100, 1500, 100, 100, 300, 0.95, 750, 50, 200, 125, 300, 0.94, 0.9975, 100, 4000, 0, 0.990, 0.8}},
      {"Rotating Comet Disk", {3000, 250, 6000, 300, 100, 2, 0, 1200, 2, 2, 1, 20, 0.3, 210, 3, 4, 250, 8, 200,
       125, 40, 500, 100, 100, 1000, 0.95, 1800, 50, 600, 300, 2000, 0.94, 0.995, 100, 2000, 0, 0.99, 1}},
      {"Spine-Disk Hybrid", {4000, 200, 300, 225, 100, 1, 0, 1000, 5, 5, 3, 20, 0.125, 330, 3, 4, 250, 6, 40, 200,
       50, 2000, 100, 100, 500, 0.92, 500, 100, 100, 100, 300, 0.96, 0.9975, 100, 2000, 0, 0.99, 0.75}},
      {"Polar Hemispheres", {4000, 500, 600, 650, 50, 2, 0, 6500, 1.35, .05, 0.65, 90, 0.1, 250, 3, 2, 500, 4, 25,
       400, 20, 500, 100, 100, 1000, 0.95, 1500, 200, 25, 1200, 200, 0.94, 0.995, 100, 2000, 0, 0.99, 1}},
      {"Diamond in the Sky", {4000, 200, 200, 350, 225, 1, 0, 3200, 2.5, 2.5, 2, 170, 359.85, 180, 3, 3, 250, 8,
       250, 150, 40, 4000, 150, 100, 2000, 0.9, 1000, 40, 20, 100, 2000, 0.94, 0.996, 100, 2000, 0, 0.99, 1}},
      {"Unstable Activity", {3500, 200, 500, 250, 100, 1, 0, 800, 2, 2, 0.75, 20, 0.1, 240, 3, 0, 500, 6, 500, 250,
       20, 8000, 500, 100, 1000, 0.95, 1000, 100, 0, 2000, 0, 0.94, 0.9, 100, 2000, 0, 0.97, 2}},
      {"Dark Matter Sparklers", {2500, 200, 600, 200, 125, 1, 0, 2000, 2, 2, 0.75, 20, 0.1, 0, 4, 0, 1000, 10, 250,
       100, 50, 1000, 0, 100, 1000, 0.95, 0, 100, 150, 200, 400, 0.95, 0.925, 100, 2000, 0, 0.99, 1}},
  };
  gState.PerfMult = 1;
  EXPECT_EQ(GalaxyThemeName(0), "< NONE >               ");
  for (int16_t theme = 1; theme <= kGalaxyPresetCount; ++theme) {
    const auto& [name, fields] = themes[theme - 1];
    std::string padded(name);
    padded.resize(23, ' ');
    EXPECT_EQ(GalaxyThemeName(theme), padded);
    const GalaxySettings s = Loaded(theme);
    for (size_t field = 0; field < std::size(keys); ++field) {
      if (!keys[field]) continue;
      EXPECT_FLOAT_EQ(static_cast<float>(testing::FieldValue(kGalaxyFields, s, keys[field])), fields[field])
          << "theme " << theme << " " << keys[field];
    }
  }
  // Any index but 1..16 has no preset and loads nothing.
  for (int16_t none : {-1, 17}) {
    EXPECT_EQ(GalaxyThemePreset(none), "");
    EXPECT_EQ(Loaded(none), GalaxySettings{});
    EXPECT_EQ(GalaxyThemeName(none), "");
  }
  EXPECT_EQ(GalaxyThemePreset(0), "");
  EXPECT_FLOAT_EQ(NormaliseGalaxySettings(Loaded(2)).AngleTInc, 359.96f * 6.2831855f / 360);
  EXPECT_FLOAT_EQ(NormaliseGalaxySettings(Loaded(9)).AmbCAgeInc, 1);  // 2 runs as 1
}

TEST_F(GalaxySettingsTest, RunStartClampsRoundAndScale) {
  struct Case {
    const char* what;
    std::function<void(GalaxySettings&)> set;
    std::function<double(const GalaxySettings&)> field;
    double expected;
  };
  const Case cases[] = {
      {"few stars", [](auto& s) { s.Stars = 5; }, [](auto& s) { return s.Stars; }, 10},
      {"many stars", [](auto& s) { s.Stars = 32000; }, [](auto& s) { return s.Stars; }, 30000},
      {"radius", [](auto& s) { s.Radius = 20000; }, [](auto& s) { return s.Radius; }, 99.99f},
      {"nova frames", [](auto& s) { s.NovaFrames = 0; }, [](auto& s) { return s.NovaFrames; }, 1},
      {"flash frames", [](auto& s) { s.NewFrames = 1000; }, [](auto& s) { return s.NewFrames; }, 999},
      {"radius rounds", [](auto& s) { s.Radius = 0.4f; }, [](auto& s) { return s.Radius; }, 0.01f},
      {"radius squared", [](auto& s) { s.Radius = 300; }, [](auto& s) { return s.RadiusSq; }, 9.0f},
      {"distance rounds", [](auto& s) { s.Distance = 12.5f; }, [](auto& s) { return s.Distance; }, 12},
      {"velocity", [](auto& s) { s.Velocity = 20000; }, [](auto& s) { return s.Velocity; }, 0.09999f},
      {"trail", [](auto& s) { s.Trail = 0; }, [](auto& s) { return s.Trail; }, 1},
      {"colour gain low word", [](auto& s) { s.ColorMult = 70000; }, [](auto& s) { return s.ColorMult; }, 4464},
      {"colour gain negative word", [](auto& s) { s.ColorMult = 40000; }, [](auto& s) { return s.ColorMult; }, 1},
      {"tilt", [](auto& s) { s.AngleTilt = 400; }, [](auto& s) { return s.AngleTilt; }, 6.2831855f},
      {"profile", [](auto& s) { s.Profile = 7; }, [](auto& s) { return s.Profile; }, 6},
      {"colour measure", [](auto& s) { s.ColorComp = -1; }, [](auto& s) { return s.ColorComp; }, 0},
      {"renewals", [](auto& s) { s.NewFreq = -5; }, [](auto& s) { return s.NewFreq; }, 0},
      {"renewals", [](auto& s) { s.NewFreq = 10000; }, [](auto& s) { return s.NewFreq; }, 9999},
      {"nova chance", [](auto& s) { s.NovaFreq = 9999.6f; }, [](auto& s) { return s.NovaFreq; }, 0.9999f},
      {"nova size", [](auto& s) { s.NovaExtMult = 0; }, [](auto& s) { return s.NovaExtMult; }, 0.0001f},
      {"burst persist", [](auto& s) { s.BurstPersist = 1; }, [](auto& s) { return s.BurstPersist; }, 0.99f},
      {"comet orbit unrounded", [](auto& s) { s.CometOrbit = 1.5f; }, [](auto& s) { return s.CometOrbit; },
       0.000015f},
      {"comet wind", [](auto& s) { s.CometSWind = 20000; }, [](auto& s) { return s.CometSWind; }, 0.09999f},
      {"comet wind may be 0", [](auto& s) { s.CometSWind = 0; }, [](auto& s) { return s.CometSWind; }, 0},
      {"comet persist", [](auto& s) { s.CometCPersist = 1; }, [](auto& s) { return s.CometCPersist; }, 0.9999f},
      {"ambient stars", [](auto& s) { s.AmbStars = 1000; }, [](auto& s) { return s.AmbStars; }, 999},
      {"ambient radius", [](auto& s) { s.AmbRadius = 50; }, [](auto& s) { return s.AmbRadius; }, 1},
      {"ambient persist", [](auto& s) { s.AmbPersist = 0.1f; }, [](auto& s) { return s.AmbPersist; }, 0.25f},
      {"exponent", [](auto& s) { s.RadiusExp = 100; }, [](auto& s) { return s.RadiusExp; }, 99.9f},
      {"hue", [](auto& s) { s.HWheelIdx = 360; }, [](auto& s) { return s.HWheelIdx; }, 359},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GalaxySettings s = GalaxyDefaults();
    c.set(s);
    EXPECT_FLOAT_EQ(static_cast<float>(c.field(NormaliseGalaxySettings(s))), static_cast<float>(c.expected));
  }
}

}  // namespace
}  // namespace pyxora
