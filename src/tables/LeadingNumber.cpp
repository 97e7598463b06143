#include "tables/LeadingNumber.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace psm {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipDigits(std::string_view text, size_t i) {
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    return i;
}

double RoundHalfToEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5) {
        return below + 1;
    }
    if (fraction < 0.5) {
        return below;
    }
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

} // namespace

int32_t LeadingNumberToInt32(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t start = i;
    i = SkipDigits(text, i);
    bool anyDigit = i > start;
    if (i < text.size() && text[i] == '.') {
        const size_t fractionStart = i + 1;
        i = SkipDigits(text, fractionStart);
        anyDigit = anyDigit || i > fractionStart;
    }
    if (!anyDigit) {
        return 0;
    }
    // An exponent counts only when digits follow it; "12e" is the number 12.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t k = i + 1;
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) {
            ++k;
        }
        const size_t exponentEnd = SkipDigits(text, k);
        if (exponentEnd > k) {
            i = exponentEnd;
        }
    }

    const std::string number(text.substr(start, i - start));
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    // Out of range is either far too large or a tiny fraction: 0 in both cases.
    if (result.ec != std::errc()) {
        return 0;
    }
    const double rounded = RoundHalfToEven(negative ? -value : value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        return 0;
    }
    return static_cast<int32_t>(rounded);
}

} // namespace psm
