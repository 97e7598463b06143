#pragma once

// When a value of a document and a value of the value file are the same:
// as numbers, not as spellings, so that "1,50" in the file is the 1,5 a
// document holds.

#include <optional>

namespace psm {

// Values closer than this, in the file's unit (the neutral factor unitless), are equal.
inline constexpr double ValueTolerance = 1e-9;

bool SameNumber(double a, double b);

// Two values that both are numbers within ValueTolerance, or that both are
// missing (a value the file leaves empty, one the document does not carry).
bool SameValue(const std::optional<double>& a, const std::optional<double>& b);

} // namespace psm
