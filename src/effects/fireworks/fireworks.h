// Fireworks: shells rise from the ground and burst in eight kinds, with spherical,
// B-spline or geometric-solid spreads. The entries the host, the Properties window
// and the about window call.
#pragma once

#include <cstdint>

namespace pyxora {

struct PropertiesModel;

// The host's runner: normalises gFireworksSettings, then runs the frame loop.
void RunFireworks();
// The about window's miniature: fixed values, neither loaded nor normalised.
void RunFireworksDemo();
// The Properties window's preview from the texts of txtFire and the two check boxes,
// clamped as the boxes clamp on losing focus, so unsaved edits are previewed.
void PreviewFireworks(const PropertiesModel& props);

// Effect-table entries: `config` 0 loads the stored settings, 1..13 a theme.
void LoadFireworksEffect(int16_t config, bool applyPerfMult);
void LoadFireworksTheme(int16_t theme);

}  // namespace pyxora
