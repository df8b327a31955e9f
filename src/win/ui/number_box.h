// The numeric boxes of the Windows configuration windows: an edit control whose typed
// characters pass the key filters (with a beep when refused) while every editing key
// and shortcut keeps working, whose Up and Down arrows step its number, which selects
// its text when focused and is clamped when left; and its spinner, an up-down control.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace pyxora {

struct NumberBoxRules {
  bool decimal = false;
  // What leaving the box makes of its text; empty: the text stays.
  std::function<std::string(const std::string&)> lostFocus;
  // What Up (+1) and Down (-1) make of the text; empty or nothing: the keys are ignored.
  std::function<std::optional<std::string>(const std::string&, int)> arrow;
};

// Gives `edit` the rules for as long as it lives.
void MakeNumberBox(HWND edit, NumberBoxRules rules);
// The box's part of its parent's WM_COMMAND: select-all on focus, the clamp on leaving.
void NumberBoxNotified(HWND edit, int code);
// The lost-focus clamp, for the box that has the focus when a window saves.
void ApplyLostFocus(HWND edit);

// Rewrites the box as its whole number within lo..hi, limits its length and runs the
// spinner from hi at the top to lo at the bottom, stepping as the range calls for.
void BindSpinner(HWND edit, HWND spinner, int lo, int hi, int maxLength);

}  // namespace pyxora
