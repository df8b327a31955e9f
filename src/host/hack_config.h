// The XScreenSaver settings file of the hack ("pyxora.xml"), written from the effect
// table and each effect's settings rows at build time: its defaults and ranges are
// the program's own, and a new effect's rows appear without a change here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "effects/effect_table.h"

namespace pyxora {

std::string HackConfigXml(const EffectTable& effects = Effects());

// The name a row shows in the settings dialog: its Properties label without the
// range and colon, else its key without the effect's prefix.
std::string HackRowLabel(const SettingRowInfo& row);

// The top of a decimal value's slider: at most this many times its default, so that
// a long range (0.25 to 999, default 2) still lets a person pick the usual values.
inline constexpr float kHackSliderSpanOfDefault = 10;

// The slowest frame rate the dialog's slider offers (the command line takes any delay).
inline constexpr int32_t kHackSliderMaxDelayUs = 200000;
// The dialog grows to fit its values and never scrolls, and some effects have over
// forty: it offers the first values of each effect (the Properties window lists the
// main ones first), in columns. Every value stays open to the Properties window and
// to -KEY VALUE on the command line. Laid out so the dialog fits a 1366x768 screen.
inline constexpr size_t kHackDialogValuesPerEffect = 6;
inline constexpr size_t kHackDialogColumns = 3;

}  // namespace pyxora
