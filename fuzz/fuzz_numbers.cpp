// Number texts on arbitrary text: whatever TextToNumber accepts must print as a
// number text that reads back to the same value to 15 significant digits, and
// the printed forms must keep their shape.
#include "platform/NumberText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckNumber(double value, char separator) {
    const std::string fixed = psm::FormatFixed3(value, separator);
    const size_t point = fixed.find(separator);
    Require(point != std::string::npos && point >= 1 && fixed.size() - point == 4);
    Require(fixed != std::string("-0") + separator + "000");

    const std::string text = psm::NumberToText(value, separator);
    Require(!text.empty() && text.size() <= 22);
    Require(text.back() != separator && text.find(' ') == std::string::npos);
    // Near the largest double the 15-digit text lies beyond it and cannot be read back.
    constexpr double LargestReadable = 1.79769313486231e308;
    if (std::fabs(value) > LargestReadable) {
        return;
    }
    const std::optional<double> back = psm::TextToNumber(text, separator);
    Require(back.has_value());
    // Subnormal values carry fewer than 15 digits; they only have to read back.
    if (value == 0 || std::fabs(value) >= std::numeric_limits<double>::min()) {
        Require(std::fabs(*back - value) <= std::fabs(value) * 1e-14);
        // A number text prints itself.
        Require(psm::NumberToText(*back, separator) == text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const char separator = (data[0] & 1) != 0 ? ',' : '.';
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::optional<double> value = psm::TextToNumber(text, separator);
    if (value) {
        Require(std::isfinite(*value));
        CheckNumber(*value, separator);
    }
    if (size >= 9) {
        double raw = 0;
        std::memcpy(&raw, data + 1, sizeof raw);
        if (std::isfinite(raw)) {
            CheckNumber(raw, separator);
        }
    }
    return 0;
}
