#include "effects/galaxy/galaxies.h"

#include "base/number_text.h"
#include "base/numeric.h"
#include "effects/galaxy/galaxy_loop.h"
#include "effects/galaxy/galaxy_settings.h"
#include "render/colour.h"
#include "settings/properties_model.h"

namespace pyxora {

void RunGalaxies() { GalaxyLoop(NormaliseGalaxySettings(gGalaxySettings)); }

void RunGalaxyDemo() {
  GalaxySettings& s = gGalaxySettings;
  s = GalaxyDefaults();
  s.Stars = NearestInt16(5000 * 0.7);
  s.Radius = 200 * 1.35f;
  s.Rotation = 250 * 4;
  RunGalaxies();
}

void PreviewGalaxies(const PropertiesModel& props) {
  GalaxySettings& s = gGalaxySettings;
  // Each box as typed ("12abc" is 12, "" and "-5" are 0); the run-start clamps follow.
  for (const GalaxySettingRow& row : kGalaxyFields) {
    if (row.box.index < 0) continue;
    SetGalaxyField(row, s, ValOfText("0" + props.Text("txtGalaxy", row.box.index)));
  }
  s.ColorComp = static_cast<int16_t>(ClampValue(props.ListIndex("cboGalColor", 3), 0, 4));
  s.Profile = static_cast<int16_t>(ClampValue(props.ListIndex("cboGalProfile", 0), 0, 6));
  BuildStarPalette();
  RunGalaxies();
}

void LoadGalaxyEffect(int16_t config, bool applyPerfMult) { LoadGalaxySettings(config, applyPerfMult); }

void LoadGalaxyTheme(int16_t theme) { LoadGalaxySettings(theme, false); }

}  // namespace pyxora
