// Text helpers shared by the theme tables and the numeric boxes of the dialogs,
// as pure functions over a box's text and selection so they work without widgets.
#pragma once

#include <string>
#include <string_view>

namespace pyxora {

// Item `index` (from 0) of a comma-separated list, spaces trimmed; empty when absent.
std::string GetListItem(std::string_view list, int index);

enum class TextBoxKind { Int16 = 0, Single = 1, Int32 = 2 };

// Reads the text leniently ("12abc" is 12, "" is 0), clamps it to lo..hi and returns
// the text to write back. Whole-number kinds round lo, hi and the value half to even.
std::string ClampTextBox(std::string_view text, int kind, float lo, float hi);

inline constexpr int kBackspaceKey = 8;
// Key-press filters: the key itself when accepted, 0 when swallowed (the caller beeps).
int FilterDigitKey(int key);
// A "." is refused when the text already holds one, unless the selection covers it.
int FilterDecimalKey(std::string_view text, int selectionStart, int selectionLength, int key);

}  // namespace pyxora
