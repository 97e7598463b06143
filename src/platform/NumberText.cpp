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

namespace {

// A number text taken apart: the form from_chars reads, and what it takes to
// tell a number too small for a double from one too large.
struct NumberParts {
    std::string Normalized;
    bool Negative = false;
    bool AnyDigit = false;
    bool SignificantSeen = false; // a digit other than 0
    int IntegerDigits = 0;        // significant digits before the separator
    int LeadingZeroDecimals = 0;  // zeros right after the separator before any significant digit
    int Exponent = 0;
};

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// Digits, the separator and more digits, rebuilt with a point.
void ReadMantissa(std::string_view text, size_t& i, char decimalSeparator, NumberParts& parts) {
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        parts.Normalized.push_back(text[i]);
        parts.AnyDigit = true;
        parts.SignificantSeen = parts.SignificantSeen || text[i] != '0';
        parts.IntegerDigits += parts.SignificantSeen ? 1 : 0;
    }
    if (i < text.size() && text[i] == decimalSeparator) {
        parts.Normalized.push_back('.');
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            parts.Normalized.push_back(text[i]);
            parts.AnyDigit = true;
            if (!parts.SignificantSeen && text[i] == '0') {
                ++parts.LeadingZeroDecimals;
            }
            parts.SignificantSeen = parts.SignificantSeen || text[i] != '0';
        }
    }
}

// An optional exponent; false when "e" has no digits after it.
bool ReadExponent(std::string_view text, size_t& i, NumberParts& parts) {
    if (i >= text.size() || (text[i] != 'e' && text[i] != 'E')) {
        return true;
    }
    parts.Normalized.push_back('e');
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        parts.Normalized.push_back(text[i]);
        ++i;
    }
    const size_t start = i;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        parts.Normalized.push_back(text[i]);
        parts.Exponent = AppendDigit(parts.Exponent, text[i]);
    }
    parts.Exponent = negative ? -parts.Exponent : parts.Exponent;
    return i != start;
}

std::optional<NumberParts> Parse(std::string_view text, char decimalSeparator) {
    text = TrimSpaces(text);
    NumberParts parts;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        parts.Negative = text.front() == '-';
        text.remove_prefix(1);
    }
    parts.Normalized.reserve(text.size());
    size_t i = 0;
    ReadMantissa(text, i, decimalSeparator, parts);
    if (!parts.AnyDigit || !ReadExponent(text, i, parts) || i != text.size()) {
        return std::nullopt;
    }
    return parts;
}

std::optional<double> Convert(const NumberParts& parts) {
    double value = 0;
    const std::string& normalized = parts.Normalized;
    const auto result =
        std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small for a double is zero; too large has no value.
        const long long firstDigitPower =
            parts.IntegerDigits > 0 ? static_cast<long long>(parts.IntegerDigits) - 1
                                    : -static_cast<long long>(parts.LeadingZeroDecimals) - 1;
        if (parts.SignificantSeen && firstDigitPower + parts.Exponent >= 0) {
            return std::nullopt;
        }
        value = 0;
    } else if (result.ec != std::errc() || result.ptr != normalized.data() + normalized.size()) {
        return std::nullopt;
    }
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return parts.Negative ? -value : value;
}

} // namespace

std::optional<double> TextToNumber(std::string_view text, char decimalSeparator) {
    const std::optional<NumberParts> parts = Parse(text, decimalSeparator);
    return parts ? Convert(*parts) : std::nullopt;
}

double RoundedTo15Digits(double value) {
    if (value == 0) {
        return 0.0;
    }
    if (!std::isfinite(value)) {
        return value;
    }
    char buffer[40];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, SignificantDigits - 1);
    double rounded = value;
    std::from_chars(buffer, printed.ptr, rounded, std::chars_format::scientific);
    return rounded;
}

std::string FormatFixed3(double value, char decimalSeparator) {
    return FormatFixed(value, 3, decimalSeparator);
}

std::string FormatFixed(double value, int decimals, char decimalSeparator) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        return {};
    }
    std::string text(buffer, result.ptr);
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) {
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
