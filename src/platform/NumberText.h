#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace psm {

// The user's number format, with the decimal separator passed in so that the
// portable core never depends on the C locale.

// The general number format: 15 significant digits, fixed notation from 0.0001
// to below 1E15, exponent notation ("1E-05", "-2.5E+20") outside, no trailing
// zeros, no grouping. Both zeros print as "0".
std::string NumberToText(double value, char decimalSeparator);

// The number rounded to 15 significant digits, as its number text carries
// it: a value written through its text and read back is this number (both
// zeros are 0; what is not finite stays as it is).
double RoundedTo15Digits(double value);

// The locale's text-to-number conversion: optional surrounding blanks, an
// optional sign, digits with the given separator, an optional exponent. Empty
// text, any other character, the other separator and results too large for a
// double give nothing.
std::optional<double> TextToNumber(std::string_view text, char decimalSeparator);

// The pattern "0.000": at least one digit before the separator, exactly three
// after it, rounded, no grouping; a value that rounds to zero has no minus sign.
std::string FormatFixed3(double value, char decimalSeparator);

// The same with `decimals` digits after the separator (0..17).
std::string FormatFixed(double value, int decimals, char decimalSeparator);

// The decimal separator from the text the platform reports for the user's
// number format: its first character when that is ASCII, else a point.
char DecimalSeparatorFromLocaleText(std::string_view localeText);

} // namespace psm
