#include "platform/NumberText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

namespace psm {
namespace {

constexpr int SignificantDigits = 15;

// The value rounded to 15 significant digits, as the digit string (without
// trailing zeros, at least one digit) and the power of ten of its first digit.
struct RoundedDecimal {
    std::string digits;
    int exponent = 0;
};

RoundedDecimal RoundTo15Digits(double magnitude) {
    // "d.dddddddddddddde+XXX" at most; to_chars never looks at the C locale.
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, SignificantDigits - 1);
    const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t e = text.find('e');

    RoundedDecimal rounded;
    rounded.digits.reserve(SignificantDigits);
    for (const char c : text.substr(0, e)) {
        if (c != '.') {
            rounded.digits.push_back(c);
        }
    }
    while (rounded.digits.size() > 1 && rounded.digits.back() == '0') {
        rounded.digits.pop_back();
    }
    std::string_view exponentText = text.substr(e + 1);
    if (!exponentText.empty() && exponentText.front() == '+') {
        exponentText.remove_prefix(1);
    }
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(),
                    rounded.exponent);
    return rounded;
}

std::string FixedNotation(const RoundedDecimal& r, char separator) {
    const int digitCount = static_cast<int>(r.digits.size());
    std::string text;
    if (r.exponent < 0) {
        text = "0";
        text.push_back(separator);
        text.append(static_cast<size_t>(-r.exponent - 1), '0');
        text += r.digits;
        return text;
    }
    const int integerDigits = r.exponent + 1;
    if (digitCount <= integerDigits) {
        text = r.digits;
        text.append(static_cast<size_t>(integerDigits - digitCount), '0');
        return text;
    }
    text = r.digits.substr(0, static_cast<size_t>(integerDigits));
    text.push_back(separator);
    text += r.digits.substr(static_cast<size_t>(integerDigits));
    return text;
}

std::string ExponentNotation(const RoundedDecimal& r, char separator) {
    std::string text(1, r.digits.front());
    if (r.digits.size() > 1) {
        text.push_back(separator);
        text += r.digits.substr(1);
    }
    text.push_back('E');
    text.push_back(r.exponent < 0 ? '-' : '+');
    const int magnitude = r.exponent < 0 ? -r.exponent : r.exponent;
    if (magnitude < 10) {
        text.push_back('0');
    }
    text += std::to_string(magnitude);
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Adds one decimal digit to a non-negative exponent, saturating well inside int.
int AppendDigit(int value, char digit) {
    constexpr int Limit = 100000000;
    return value >= Limit ? Limit : value * 10 + (digit - '0');
}

} // namespace

std::string NumberToText(double value, char decimalSeparator) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Inf" : "Inf";
    }
    if (value == 0) {
        return "0";
    }
    const RoundedDecimal rounded = RoundTo15Digits(std::fabs(value));
    // Fixed notation is chosen on the rounded value, so 9.99999999999999999E-05 prints 0.0001.
    const bool fixed = rounded.exponent >= -4 && rounded.exponent < SignificantDigits;
    std::string text = value < 0 ? "-" : "";
    text += fixed ? FixedNotation(rounded, decimalSeparator)
                  : ExponentNotation(rounded, decimalSeparator);
    return text;
}

std::optional<double> TextToNumber(std::string_view text, char decimalSeparator) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    // Rebuild the number in the one form from_chars reads, whatever the separator.
    std::string normalized;
    normalized.reserve(text.size());
    size_t i = 0;
    int integerDigits = 0;       // significant digits before the separator
    int leadingZeroDecimals = 0; // zeros right after the separator before any significant digit
    bool anyDigit = false;
    bool significantSeen = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        normalized.push_back(text[i]);
        anyDigit = true;
        significantSeen = significantSeen || text[i] != '0';
        integerDigits += significantSeen ? 1 : 0;
    }
    if (i < text.size() && text[i] == decimalSeparator) {
        normalized.push_back('.');
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            normalized.push_back(text[i]);
            anyDigit = true;
            if (!significantSeen && text[i] == '0') {
                ++leadingZeroDecimals;
            }
            significantSeen = significantSeen || text[i] != '0';
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    int exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normalized.push_back('e');
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            normalized.push_back(text[i]);
            ++i;
        }
        const size_t exponentStart = i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            normalized.push_back(text[i]);
            exponent = AppendDigit(exponent, text[i]);
        }
        if (i == exponentStart) {
            return std::nullopt;
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    if (i != text.size()) {
        return std::nullopt;
    }

    double value = 0;
    const auto result =
        std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small for a double is zero; too large has no value.
        const long long firstDigitPower = integerDigits > 0
                                              ? static_cast<long long>(integerDigits) - 1
                                              : -static_cast<long long>(leadingZeroDecimals) - 1;
        if (!significantSeen || firstDigitPower + exponent < 0) {
            value = 0;
        } else {
            return std::nullopt;
        }
    } else if (result.ec != std::errc() || result.ptr != normalized.data() + normalized.size()) {
        return std::nullopt;
    }
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::string FormatFixed3(double value, char decimalSeparator) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    if (result.ec != std::errc()) {
        return {};
    }
    std::string text(buffer, result.ptr);
    if (text == "-0.000") {
        text.erase(0, 1);
    }
    const size_t point = text.find('.');
    if (point != std::string::npos) {
        text[point] = decimalSeparator;
    }
    return text;
}

char DecimalSeparatorFromLocaleText(std::string_view localeText) {
    if (localeText.empty()) {
        return '.';
    }
    const char first = localeText.front();
    const auto code = static_cast<unsigned char>(first);
    // A separator that is a digit, a sign, a blank or not ASCII cannot be told
    // apart from the number itself (or held in one char): fall back to a point.
    const bool usable = code > 0x20 && code < 0x7F && !IsDigit(first) && first != '+' &&
                        first != '-' && first != 'e' && first != 'E';
    return usable ? first : '.';
}

} // namespace psm
