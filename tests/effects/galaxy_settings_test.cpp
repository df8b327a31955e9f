#include "effects/galaxy/galaxy_settings.h"

#include <functional>
#include <string>

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

TEST_F(GalaxySettingsTest, ThemeFieldsLandInTheirFields) {
  gState.PerfMult = 1;
  // Theme 16: invisible galaxy stars; theme 2: 359.96 degrees a frame; theme 5: ".02".
  const GalaxySettings dark = Loaded(16);
  EXPECT_EQ(dark.Stars, 2500);
  EXPECT_EQ(dark.ColorComp, 4);
  EXPECT_EQ(dark.Profile, 0);
  EXPECT_EQ(dark.HWheelIdx, 0);
  EXPECT_EQ(dark.NewFreq, 1000);
  EXPECT_FLOAT_EQ(dark.NovaExtMult, 1000);
  EXPECT_EQ(dark.BurstFreq, 0);
  EXPECT_FLOAT_EQ(dark.BurstSpeed, 1000);
  EXPECT_EQ(dark.CometFreq, 0);
  EXPECT_FLOAT_EQ(dark.CometCPersist, 0.925f);
  EXPECT_FLOAT_EQ(dark.AmbCAgeInc, 1);
  EXPECT_FLOAT_EQ(dark.AmbPersist, 0.99f);
  EXPECT_FLOAT_EQ(dark.AmbRadius, 2000);

  const GalaxySettings disk = Loaded(2);
  EXPECT_EQ(disk.Trail, 3);
  EXPECT_EQ(disk.ColorMult, 700);
  EXPECT_FLOAT_EQ(disk.RadiusExp, 1.5f);
  EXPECT_FLOAT_EQ(disk.AngleTilt, 160);
  EXPECT_FLOAT_EQ(NormaliseGalaxySettings(disk).AngleTInc, 359.96f * 6.2831855f / 360);
  EXPECT_EQ(disk.Profile, 1);

  EXPECT_FLOAT_EQ(Loaded(5).HeightExp, 0.02f);
  EXPECT_EQ(Loaded(9).Profile, 6);
  EXPECT_FLOAT_EQ(NormaliseGalaxySettings(Loaded(9)).AmbCAgeInc, 1);  // 2 runs as 1

  // Any index but 1..16 has no preset and loads nothing.
  for (int16_t none : {-1, 17}) {
    EXPECT_EQ(GalaxyThemePreset(none), "");
    EXPECT_EQ(Loaded(none), GalaxySettings{});
  }
  EXPECT_EQ(GalaxyThemePreset(0), "");
}

TEST_F(GalaxySettingsTest, ThemeNamesAreTwentyThreeCharacterSlices) {
  EXPECT_EQ(GalaxyThemeName(0), "< NONE >               ");
  EXPECT_EQ(GalaxyThemeName(1), "Classical              ");
  EXPECT_EQ(GalaxyThemeName(9), "Cylindrical Hourglass  ");
  EXPECT_EQ(GalaxyThemeName(16), "Dark Matter Sparklers  ");
  EXPECT_EQ(GalaxyThemeName(17), "");
  EXPECT_EQ(GalaxyThemeName(-1), "");
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
