#include "render/text_helpers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/number_text.h"
#include "base/numeric.h"

namespace pyxora {

std::string GetListItem(std::string_view list, int index) {
  size_t begin = 0;
  for (int i = 0; i < index; ++i) {
    const size_t comma = list.find(',', begin);
    if (comma == std::string_view::npos) return {};
    begin = comma + 1;
  }
  const size_t end = std::min(list.find(',', begin), list.size());
  std::string item(list.substr(begin, end - begin));
  const size_t first = item.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return item.substr(first, item.find_last_not_of(' ') - first + 1);
}

std::string ClampTextBox(std::string_view text, int kind, float lo, float hi) {
  const double value = ValOfBoxText(text);
  switch (kind) {
    case 0:
    case 2: {
      // Clamped before the conversion, so a long row of digits cannot overflow the box's type.
      const double whole = ClampValue(RoundHalfEven(value), RoundHalfEven(lo), RoundHalfEven(hi));
      const double limit = kind == 0 ? 32767.0 : 2147483647.0;
      return std::to_string(static_cast<int64_t>(ClampValue(whole, -limit - 1, limit)));
    }
    case 1: {
      // Plain decimals: a box shows 0.0001, never 1e-04, which its key filter could not retype.
      const float clamped = ClampSng(static_cast<float>(ClampValue(value, -3.4e38, 3.4e38)), lo, hi);
      char buffer[64];
      const auto result = std::to_chars(buffer, buffer + sizeof buffer, clamped, std::chars_format::fixed);
      return result.ec == std::errc() ? std::string(buffer, result.ptr) : FormatNumber(clamped);
    }
    default:
      return std::string(text);
  }
}

int FilterDigitKey(int key) { return (key >= '0' && key <= '9') || key == kBackspaceKey ? key : 0; }

int FilterDecimalKey(std::string_view text, int selectionStart, int selectionLength, int key) {
  if (!((key >= '0' && key <= '9') || key == kBackspaceKey || key == '.')) return 0;
  if (key != '.') return key;
  const size_t start = static_cast<size_t>(std::clamp(selectionStart, 0, static_cast<int>(text.size())));
  const size_t length = static_cast<size_t>(std::clamp(selectionLength, 0, static_cast<int>(text.size() - start)));
  if (text.substr(start, length).find('.') != std::string_view::npos) return key;
  return text.find('.') == std::string_view::npos ? key : 0;
}

}  // namespace pyxora
