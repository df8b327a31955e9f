// Stars and Gravity Wells: the entries the host, the Properties window and the about
// window call. Stars stream from emitters, bend round attractors and leave trails.
#pragma once

#include <cstdint>

namespace pyxora {

struct PropertiesModel;

// The host's runner: clamps and scales gGravitySettings, then runs the frame loop.
void RunGravityWells();
// The about window's miniature: fixed values, the mono loop.
void RunGravityDemo();
// The Properties window's preview from the texts of txtGrav 0..10, cboGravColor and
// chkGravStereo, so unsaved edits are previewed.
void PreviewGravityWells(const PropertiesModel& props);

// Effect-table entries. The gravity wells have no preset configurations in the
// cycle, so the loader ignores `config`; themes come through LoadGravityTheme.
void LoadGravityEffect(int16_t config, bool applyPerfMult);
// The factory values with theme `theme` (1..5) applied, into gGravitySettings.
void LoadGravityTheme(int16_t theme);

}  // namespace pyxora
