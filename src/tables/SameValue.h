#pragma once

// When a value of a document and a value of the value file are the same:
// as numbers, not as spellings, so that "1,50" in the file is the 1,5 a
// document holds.

#include <string_view>

namespace psm {

// Values closer than this, in the file's unit (the neutral factor unitless), are equal.
inline constexpr double ValueTolerance = 1e-9;

bool SameNumber(double a, double b);

// Equal texts, or texts that both read as numbers (with the locale's decimal
// separator, as the write reads them) within ValueTolerance.
bool SameValue(std::string_view a, std::string_view b, char decimalSeparator);

} // namespace psm
