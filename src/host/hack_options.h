// The command line of a display hack, as XScreenSaver starts one: where to draw
// (-root, -window-id ID, -window), how fast (-delay), what (-effect, -preset and
// -KEY VALUE for any setting of an effect), and the frame-rate readout (-fps).
// Recognised only when the first argument is one of these options, so the
// screen-saver modes (/s, /p ...) keep their own dispatch. Each option may also be
// written with two dashes ("--root"), as XScreenSaver 6 sometimes passes it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "effects/effect_table.h"

namespace pyxora {

enum class HackTarget {
  OwnWindow,  // -window, or no target option: a window of our own
  Root,       // -root: $XSCREENSAVER_WINDOW when set, else the root window
  WindowId,   // -window-id ID: a window another client made
};

// One value read in place of the stored one for this run.
struct HackSetting {
  std::string section;
  std::string key;
  std::string value;
  bool operator==(const HackSetting&) const = default;
};

struct HackOptions {
  HackTarget target = HackTarget::OwnWindow;
  uint32_t windowId = 0;
  std::optional<int64_t> delayMicroseconds;
  bool showFps = false;
  const EffectEntry* effect = nullptr;  // nothing: the effect of the stored settings
  int16_t preset = 0;                   // 0: the effect's stored settings
  std::vector<HackSetting> settings;    // -KEY VALUE, in command-line order
};

// Whether `args` is a hack command line: its first argument is a hack option.
bool IsHackCommandLine(const std::vector<std::string>& args, const EffectTable& effects = Effects());

// The options, or the text of what is wrong with them.
std::variant<HackOptions, std::string> ParseHackOptions(const std::vector<std::string>& args,
                                                        const EffectTable& effects = Effects());

// An X11 window id written in decimal or as 0x hex; nothing unless 1..0xFFFFFFFF.
std::optional<uint32_t> ParseWindowId(std::string_view text);

// Where the hack draws. For -root, `xscreensaverWindow` is $XSCREENSAVER_WINDOW
// (null or empty when unset).
struct HackWindow {
  enum Kind { Own, Root, Foreign } kind = Own;
  uint32_t id = 0;  // the foreign window
  bool operator==(const HackWindow&) const = default;
};
std::variant<HackWindow, std::string> ChooseHackWindow(const HackOptions& options, const char* xscreensaverWindow);

// Every value the run reads in place of a stored one: the chosen effect as the only
// one (no cycling, no built-in sequence), the frame delay in milliseconds, and the
// -KEY VALUE settings.
std::vector<HackSetting> HackOverrides(const HackOptions& options);

// Frame delay (ms) from -delay microseconds: to the nearest millisecond, halves up.
int32_t DelayMilliseconds(int64_t microseconds);

}  // namespace pyxora
