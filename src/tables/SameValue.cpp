#include "tables/SameValue.h"

#include <cmath>

namespace psm {

bool SameNumber(double a, double b) {
    return std::fabs(a - b) <= ValueTolerance;
}

bool SameValue(const std::optional<double>& a, const std::optional<double>& b) {
    if (!a || !b) {
        return !a && !b;
    }
    return SameNumber(*a, *b);
}

} // namespace psm
