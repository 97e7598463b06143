#include "tables/CadUnits.h"

#include <cmath>

namespace psm {

std::optional<double> CadValue(SheetValue value, double tableValue, double scaleFactor) {
    double cadValue = tableValue;
    if (IsLength(value)) {
        if (scaleFactor == 0.0) {
            return std::nullopt;
        }
        cadValue /= scaleFactor;
    }
    return std::isfinite(cadValue) ? std::optional(cadValue) : std::nullopt;
}

} // namespace psm
