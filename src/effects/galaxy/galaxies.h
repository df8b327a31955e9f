// Galaxies: the entries the host, the Properties window and the about window call.
// A rotating cloud of stars tilts toward the eye, renews its stars as flashes and
// novae, and is rebuilt once it has passed; bursts, comets and ambient stars run beside it.
#pragma once

#include <cstdint>

namespace pyxora {

struct PropertiesModel;

// The host's runner: clamps and scales gGalaxySettings, then runs galaxy after galaxy.
void RunGalaxies();
// The about window's miniature: the factory values with 3500 stars, radius 270 and
// rotation 1000.
void RunGalaxyDemo();
// The Properties window's preview from the texts of the txtGalaxy boxes and the lists
// cboGalColor and cboGalProfile, so unsaved edits are previewed. No PerfMult applies.
void PreviewGalaxies(const PropertiesModel& props);

// Effect-table entries: config 0 loads the stored settings, 1..16 a theme.
void LoadGalaxyEffect(int16_t config, bool applyPerfMult);
// Theme `theme` (1..16) into gGalaxySettings, scaled by PerfMult as every theme is.
void LoadGalaxyTheme(int16_t theme);

}  // namespace pyxora
