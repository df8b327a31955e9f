#include "base/number_text.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

namespace pyxora {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the decimal number at the start of `s` (sign, digits, fraction, exponent),
// or 0 when no digit is found. The exponent counts only when digits follow it.
size_t NumberPrefixLength(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t expDigits = 0;
    while (j < s.size() && IsDigit(s[j])) ++j, ++expDigits;
    if (expDigits > 0) i = j;
  }
  return i;
}

double ConvertPrefix(std::string_view s, size_t length) {
  // strtod needs a terminated buffer; the prefix is already validated.
  const std::string copy(s.substr(0, length));
  return std::strtod(copy.c_str(), nullptr);
}

}  // namespace

std::optional<double> ParseNumericText(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  const std::string_view body = text.substr(begin, end - begin);
  const size_t length = NumberPrefixLength(body);
  if (length == 0 || length != body.size()) return std::nullopt;
  return ConvertPrefix(body, length);
}

double ValOfText(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  const std::string_view body = text.substr(begin);
  const size_t length = NumberPrefixLength(body);
  return length == 0 ? 0.0 : ConvertPrefix(body, length);
}

double ValOfBoxText(std::string_view text) {
  // Appended rather than concatenated: GCC 12 at -O3 warns falsely about "0" + text.
  std::string padded;
  padded.reserve(text.size() + 1);
  padded += '0';
  padded += text;
  return ValOfText(padded);
}

std::string FormatNumber(float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string FormatNumber(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string TrimBlanks(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::string ToUpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace pyxora
