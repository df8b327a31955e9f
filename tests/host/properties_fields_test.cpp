// The Properties window's fields without the window: the store round trip, themes,
// the boxes' lost-focus clamps and arrow steps, and the preview's set-up.
#include <optional>
#include <string>

#include "host/properties_fields.h"
#include "host/properties_preview.h"
#include "host/templates.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/viewport.h"
#include "support/test_support.h"

namespace pyxora::testing {
namespace {

class PropertiesFieldsTest : public CoreTest {
 protected:
  std::string Stored(const std::string& section, const std::string& key) {
    return GetSettingStr(section, key, "<absent>");
  }
};

TEST_F(PropertiesFieldsTest, AnEmptyStoreFillsEveryControlWithItsFactoryValue) {
  PropertiesModel props;
  props.SelectedEffect = 3;
  LoadPropertiesFromStore(props);
  EXPECT_EQ(props.SelectedEffect, 0);
  EXPECT_EQ(props.Text("txtPixHue", 2), "100");
  EXPECT_EQ(props.Text("txtPixCol", 1), "100");
  EXPECT_EQ(props.Text("txtPixCol", 2), "60");
  EXPECT_EQ(props.Text("txtFire", 1), "1500");
  EXPECT_EQ(props.Text("txtFire", 6), "0.015");
  EXPECT_EQ(props.Text("txtGalaxy", 46), "0.998");
  EXPECT_EQ(props.Text("txtGrav", 4), "75");
  EXPECT_EQ(props.Text("txtSpline", 8), "0.75");
  EXPECT_EQ(props.Text("txtWarp", 7), "0.015");
  EXPECT_TRUE(props.Checked("chkMultiMom"));
  EXPECT_TRUE(props.Checked("chkSplineSym"));
  EXPECT_FALSE(props.Checked("chkGravStereo"));
  EXPECT_EQ(props.ListIndex("cboWarpType", -1), 4);
  EXPECT_EQ(props.ListIndex("cboGalColor", -1), 3);
  EXPECT_EQ(props.ListIndex("cboGravColor", -1), 1);
}

// Every control reaches the store under its own key, and nothing else is written
// besides the write test's value.
TEST_F(PropertiesFieldsTest, LabelsWithoutARangeShowTheBoxsRange) {
  EXPECT_EQ(FindBoxControl("txtGalaxy", 61)->label, "Radius (100 - 99999):");
  EXPECT_EQ(FindBoxControl("txtGalaxy", 33)->label, "Persistence (0.25 - 0.99):");
  EXPECT_EQ(FindBoxControl("txtFire", 23)->label, "Steps during Launch (1 - 999)");
  EXPECT_EQ(FindBoxControl("txtPixCol", 2)->label, "Hue Wheel Wedge Angle (0 - 360):");
  EXPECT_EQ(FindNamedControl("chkSplineSym")->label, "Symmetric about Center:");
}

TEST_F(PropertiesFieldsTest, SavingWritesEveryControlUnderItsKey) {
  PropertiesModel props;
  SetFactoryControls(props);
  props.SelectedEffect = 5;
  props.SetText("txtGalaxy", 61, "12345");
  props.Checks["chkJetBurst"] = false;
  props.Lists["cboGalProfile"] = 6;
  ASSERT_TRUE(SaveSettingsFromProperties(props));

  int keys = 0;
  const SettingsDocument snapshot = Store().Snapshot(kUserRoot);
  for (const SettingsSection& section : snapshot.Sections())
    keys += static_cast<int>(section.values.size());
  EXPECT_EQ(keys, 121 + 1);  // 7 shared, 43 + 11 + 10 + 13 + 37 effect keys, TestRegWrite
  EXPECT_EQ(Stored("General", "AnimationType"), "5");
  EXPECT_EQ(Stored("Galaxy", "Galaxy_AmbRadius"), "12345");
  EXPECT_EQ(Stored("Galaxy", "Galaxy_Profile"), "6");
  EXPECT_EQ(Stored("Fireworks", "FireBurstShell"), "0");
  EXPECT_EQ(Stored("Fireworks", "FireMultiMoment"), "1");
  EXPECT_EQ(Stored("Fireworks", "FirePersist"), "0.97");
  EXPECT_EQ(Stored("PixelColor", "ColorHueWheel"), "60");
  EXPECT_EQ(Stored("B-SplineWarp", "Warp_Type"), "4");
}

struct StoredCase {
  const char* section;
  const char* key;
  const char* stored;
  const char* shown;  // box text, or "on"/"off", or a list index
  const char* saved;
};

// What a stored text looks like in the window and what Accept writes back: the same
// getters and rules as the effect's own loader.
TEST_F(PropertiesFieldsTest, StoredValuesRoundTripThroughTheWindow) {
  const StoredCase cases[] = {
      {"Fireworks", "FirePersist", "0.955", "0.955", "0.955"},
      {"Fireworks", "FireMultiMoment", "2", "off", "0"},       // on only for exactly 1
      {"Fireworks", "FireBurstShell", "1", "on", "1"},
      {"GravityWell", "Grav_Refresh", "50000", "50000", "50000"},  // not clamped until the box is left
      {"B-SplineSpark", "B_Spline_Symmetry", "-1", "off", "0"},
      {"B-SplineWarp", "Warp_HueLock", "1", "on", "1"},
      {"Galaxy", "Galaxy_CometCPersist", "0.9", "0.9", "0.9"},
      {"Galaxy", "Galaxy_Profile", "-3", "0", "0"},
      {"General", "ColorRed", "abc", "100", "100"},            // not a number: the default
      {"General", "AnimationType", "4", "4", "4"},
  };
  for (const StoredCase& c : cases) {
    SCOPED_TRACE(c.key);
    Put(c.section, c.key, c.stored);
  }
  PropertiesModel props;
  LoadPropertiesFromStore(props);
  ASSERT_TRUE(SaveSettingsFromProperties(props));
  for (const StoredCase& c : cases) {
    SCOPED_TRACE(c.key);
    const PropertiesControl* control = nullptr;
    for (const PropertiesControl& each : PropertiesControls())
      if (std::string(each.key) == c.key) control = &each;
    ASSERT_NE(control, nullptr);
    std::string shown;
    if (control->kind == ControlKind::Box) shown = props.Text(control->name, control->index);
    if (control->kind == ControlKind::Check) shown = props.Checked(control->name) ? "on" : "off";
    if (control->kind == ControlKind::List)
      shown = std::to_string(std::string(control->name) == "cboAniType" ? props.SelectedEffect
                                                                        : props.ListIndex(control->name, -1));
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(Stored(c.section, c.key), c.saved);
  }
}

TEST_F(PropertiesFieldsTest, AStoreThatRefusesWritesGetsNothing) {
  Store().SetReadOnly(true);
  PropertiesModel props;
  SetFactoryControls(props);
  EXPECT_FALSE(SaveSettingsFromProperties(props));
  Store().SetReadOnly(false);
  EXPECT_EQ(Stored("Fireworks", "FireWorks"), "<absent>");
}

TEST_F(PropertiesFieldsTest, ThemesWriteThePresetTextsIntoTheirControls) {
  PropertiesModel props;
  SetFactoryControls(props);
  const PropertiesModel before = props;
  EXPECT_FALSE(ApplyThemeToControls(props, 0, 0));   // "< NONE >"
  EXPECT_FALSE(ApplyThemeToControls(props, 3, 1));   // sparklers have no themes
  EXPECT_FALSE(ApplyThemeToControls(props, 4, 6));   // past the last theme
  EXPECT_EQ(props.Boxes, before.Boxes);
  EXPECT_EQ(props.Checks, before.Checks);

  ASSERT_TRUE(ApplyThemeToControls(props, 0, 7));  // "Disk World"
  EXPECT_EQ(props.Text("txtFire", 0), "5");
  EXPECT_EQ(props.Text("txtFire", 3), "0.5");
  EXPECT_EQ(props.Text("txtFire", 20), "100");   // launch percent, theme field 9
  EXPECT_EQ(props.Text("txtFire", 29), "1");     // embedded rings
  EXPECT_EQ(props.Text("txtFire", 53), "40");    // decay life, the last field
  EXPECT_TRUE(props.Checked("chkMultiMom"));
  EXPECT_FALSE(props.Checked("chkJetBurst"));
  ASSERT_TRUE(ApplyThemeToControls(props, 0, 13));
  EXPECT_TRUE(props.Checked("chkJetBurst"));
  EXPECT_EQ(props.Text("txtFire", 1), "1500");   // no performance scaling

  ASSERT_TRUE(ApplyThemeToControls(props, 4, 5));  // "Sample Sterographic Ocillator"
  EXPECT_EQ(props.Text("txtGrav", 2), "2000");
  EXPECT_EQ(props.Text("txtGrav", 10), "240");
  EXPECT_TRUE(props.Checked("chkGravStereo"));
  EXPECT_EQ(props.ListIndex("cboGravColor", -1), 1);

  ASSERT_TRUE(ApplyThemeToControls(props, 5, 5));  // "Dual-Dome Interior"
  EXPECT_EQ(props.Text("txtGalaxy", 91), ".02");   // as the preset holds it
  EXPECT_EQ(props.Text("txtGalaxy", 10), "250");   // preset field 16
  ASSERT_TRUE(ApplyThemeToControls(props, 5, 16));
  EXPECT_EQ(props.ListIndex("cboGalColor", -1), 4);
  EXPECT_EQ(props.ListIndex("cboGalProfile", -1), 0);
  EXPECT_EQ(props.Text("txtGalaxy", 0), "2500");
  EXPECT_EQ(props.Text("txtGalaxy", 64), "1");     // ambient colour aging, the last field
  EXPECT_EQ(props.Text("txtGalaxy", 95), "0");
  EXPECT_EQ(props.Text("txtFire", 0), "14");       // another effect's fields stay
}

TEST_F(PropertiesFieldsTest, LeavingABoxPullsItsTextIntoRange) {
  struct Case {
    const char* array;
    int index;
    const char* text;
    const char* other;  // the other colour percentage
    const char* expected;
  };
  const Case cases[] = {
      {"txtGrav", 4, "50000", "", "30000"},
      {"txtGrav", 7, "12000", "", "9999"},
      {"txtFire", 1, "5", "", "10"},
      {"txtFire", 5, "0.999", "", "0.99"},
      {"txtFire", 53, "2", "", "5"},
      {"txtGalaxy", 61, "123456", "", "99999"},
      {"txtGalaxy", 0, "40000", "", "30000"},
      {"txtGalaxy", 93, "12.5", "", "12"},
      {"txtSpline", 8, "0.0001", "", "0.0001"},
      {"txtSpline", 8, "100", "", "99"},
      {"txtWarp", 0, "", "", "1"},
      {"txtWarp", 5, "0.5.7", "", "0.5"},
      {"txtPixCol", 0, "80", "50", "50"},
      {"txtPixCol", 1, "70", "40", "60"},
      {"txtPixCol", 0, "30", "150", "0"},  // another box out of range cannot make it negative
      {"txtPixCol", 2, "400", "", "360"},
      {"txtPixHue", 1, "12abc", "", "12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.array) + " " + std::to_string(c.index) + " " + c.text);
    PropertiesModel props;
    SetFactoryControls(props);
    if (*c.other) props.SetText("txtPixCol", 1 - c.index, c.other);
    EXPECT_EQ(LostFocusText(props, c.array, c.index, c.text), c.expected);
  }
}

TEST_F(PropertiesFieldsTest, ArrowKeysStepWithinEachBoxsRange) {
  struct Case {
    const char* array;
    int index;
    const char* text;
    int direction;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"txtFire", 1, "9995", 1, "9999"},   {"txtFire", 1, "15", -1, "10"},     {"txtFire", 0, "98", 1, "99"},
      {"txtFire", 7, "1", -1, "1"},        {"txtFire", 3, "0.5", 1, std::nullopt},
      {"txtFire", 9, "5", 1, std::nullopt}, {"txtGrav", 3, "995", 1, "999"},    {"txtGrav", 4, "29995", 1, "30000"},
      {"txtGrav", 10, "0", -1, "0"},       {"txtGalaxy", 95, "357", 1, "359"}, {"txtGalaxy", 95, "3", -1, "0"},
      {"txtGalaxy", 0, "15", -1, "10"},    {"txtGalaxy", 10, "5", 1, std::nullopt},
      {"txtWarp", 0, "1", 1, "11"},        {"txtWarp", 6, "1", 1, "2"},        {"txtWarp", 8, "95", 1, "100"},
      {"txtSpline", 2, "1", 1, "11"},      {"txtSpline", 0, "1", 1, "2"},      {"txtPixCol", 2, "358", 1, "360"},
      {"txtPixCol", 0, "0", -1, "0"},      {"txtPixHue", 0, "7x", 1, "8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.array) + " " + std::to_string(c.index) + " " + c.text);
    EXPECT_EQ(ArrowStepText(c.array, c.index, c.text, c.direction), c.expected);
  }
}

TEST_F(PropertiesFieldsTest, DecimalBoxesAndSpinnerSteps) {
  for (const auto& [array, index] : {std::pair{"txtFire", 19}, {"txtFire", 35}, {"txtGalaxy", 33}, {"txtGalaxy", 94},
                                     {"txtSpline", 7}, {"txtWarp", 7}})
    EXPECT_TRUE(BoxTakesDecimal(array, index)) << array << index;
  for (const auto& [array, index] : {std::pair{"txtFire", 21}, {"txtFire", 52}, {"txtGalaxy", 61}, {"txtGalaxy", 93},
                                     {"txtWarp", 4}, {"txtGrav", 4}, {"txtPixCol", 2}})
    EXPECT_FALSE(BoxTakesDecimal(array, index)) << array << index;
  EXPECT_EQ(SpinnerStep(100), 1);
  EXPECT_EQ(SpinnerStep(101), 5);
  EXPECT_EQ(SpinnerStep(998), 5);
  EXPECT_EQ(SpinnerStep(999), 10);
  EXPECT_EQ(SpinnerStep(29999), 10);
  EXPECT_EQ(SpinnerStep(30000), 50);
}

TEST_F(PropertiesFieldsTest, SwatchesShowTheLevelsAndTheHue) {
  EXPECT_EQ(LevelSwatchColour(0, "100"), RgbColor(255, 0, 0));
  EXPECT_EQ(LevelSwatchColour(1, "0"), RgbColor(0, 55, 0));
  EXPECT_EQ(LevelSwatchColour(2, "150"), RgbColor(0, 0, 255));
  EXPECT_EQ(LevelSwatchColour(2, "20"), RgbColor(0, 0, 95));
  EXPECT_EQ(HueSwatchColour("120"), RgbColor(55, 255, 55));
  EXPECT_EQ(HueSwatchColour("400"), 0u);
}

TEST_F(PropertiesFieldsTest, ThePreviewTakesItsColoursFromTheBoxesAndTheStartingHueFromTheStore) {
  Put("Advanced", "Adv_HueStart", "90");
  PropertiesModel props;
  SetFactoryControls(props);
  props.SetText("txtPixHue", 0, "150");
  props.SetText("txtPixHue", 1, "abc");
  props.SetText("txtPixHue", 2, "50");
  props.SetText("txtPixCol", 0, "80");
  props.SetText("txtPixCol", 2, "999");
  ApplyPreviewColours(props);
  EXPECT_EQ(gColorSettings.ColorRed, 100);
  EXPECT_EQ(gColorSettings.ColorGrn, 0);
  EXPECT_EQ(gColorSettings.ColorBlu, 50);
  EXPECT_EQ(gColorSettings.ColorPctInt, 80);
  EXPECT_EQ(gColorSettings.ColorHueWheel, 360);
  EXPECT_EQ(gColorSettings.HueStart, 90);
  EXPECT_EQ(HueWheel[0], HueToRgb(0, 55, 100, 0, 50));
}

TEST_F(PropertiesFieldsTest, ThePreviewRunsTheSelectedEffectOnTheBoxUntilAPreviewStop) {
  Put("Advanced", "Adv_TimeDelay", "25");
  PropertiesModel props;
  SetFactoryControls(props);
  Canvas surface;

  props.SelectedEffect = 1;  // retired: nothing runs
  EXPECT_FALSE(RunPropertiesPreview(props, surface, 160, 120));
  EXPECT_EQ(surface.Width(), 0);

  props.SelectedEffect = 3;
  int passes = 0;
  host_.onEvents = [&] {
    if (++passes == 30) gState.PreviewStopRequested = true;
  };
  const uint32_t start = host_.Tick();
  EXPECT_TRUE(RunPropertiesPreview(props, surface, 160, 120));
  EXPECT_EQ(passes, 30);
  EXPECT_EQ(surface.Width(), 160);
  EXPECT_EQ(surface.Height(), 120);
  EXPECT_GT(surface.CountLitPixels(), 0u);
  EXPECT_EQ(gState.FrameDelay, 25);
  EXPECT_EQ(gState.CycleFrameLimit, 0);
  // Stopped at the end of the frame in which the stop came: no frame after it.
  EXPECT_LE(host_.Tick() - start, 31u * 25u);
  EXPECT_EQ(gViewport.Width, 160);
  EXPECT_EQ(gViewport.DrawDC, nullptr);  // the surface is let go
}

}  // namespace
}  // namespace pyxora::testing
