// Reading numbers from text and writing them back, the two ways the settings need:
// a strict test ("is this text a number?") for stored values, and a lenient
// leading-number reading for command lines, text boxes and placement fields.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pyxora {

// A decimal number with optional sign, fraction and exponent, blanks allowed around it.
// The empty text, or anything else, is not numeric.
std::optional<double> ParseNumericText(std::string_view text);

// The longest leading decimal number after leading blanks; 0 when there is none.
// "12abc" gives 12, "0.5.7" gives 0.5, ":1234" gives 0.
double ValOfText(std::string_view text);

// A text box's number: the text read by ValOfText with "0" put in front, so "-5" and ""
// read 0 and ".5" reads 0.5.
double ValOfBoxText(std::string_view text);

// Shortest decimal text that reads back as the same value ("0.5", "100", "1e+20").
std::string FormatNumber(float value);
std::string FormatNumber(double value);

std::string TrimBlanks(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
std::string ToUpperAscii(std::string_view text);

}  // namespace pyxora
