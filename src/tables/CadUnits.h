#pragma once

// The value file's units and the CAD program's: lengths differ by the table's
// scale factor, the neutral factor is the same in both. Both directions live
// here so that a value written and read back is converted the same way.

#include "tables/SheetValue.h"

#include <optional>

namespace psm {

// A value of the document as the table gives it: lengths times scaleFactor.
constexpr double TableValue(SheetValue value, double cadValue, double scaleFactor) {
    return IsLength(value) ? cadValue * scaleFactor : cadValue;
}

// A value of the table in CAD units: lengths divided by scaleFactor. Nothing
// for a zero scale factor or a result that is not finite, which no document
// can hold.
std::optional<double> CadValue(SheetValue value, double tableValue, double scaleFactor);

} // namespace psm
