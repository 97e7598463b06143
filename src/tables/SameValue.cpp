#include "tables/SameValue.h"

#include "platform/NumberText.h"

#include <cmath>

namespace psm {

bool SameNumber(double a, double b) {
    return std::fabs(a - b) <= ValueTolerance;
}

bool SameValue(std::string_view a, std::string_view b, char decimalSeparator) {
    if (a == b) {
        return true;
    }
    const auto x = TextToNumber(a, decimalSeparator);
    const auto y = TextToNumber(b, decimalSeparator);
    return x && y && SameNumber(*x, *y);
}

} // namespace psm
