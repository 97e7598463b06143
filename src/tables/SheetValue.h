#pragma once

// The five values of a sheet type, always in this order.

#include <array>
#include <cstddef>

namespace psm {

enum class SheetValue { Thickness, BendRadius, NeutralFactor, ReliefLength, ReliefWidth };

inline constexpr std::array<SheetValue, 5> SheetValues{
    SheetValue::Thickness, SheetValue::BendRadius, SheetValue::NeutralFactor,
    SheetValue::ReliefLength, SheetValue::ReliefWidth};

// The value's place in arrays of five.
constexpr std::size_t IndexOf(SheetValue value) {
    return static_cast<std::size_t>(value);
}

// Lengths convert with the scale factor; the neutral factor is a ratio.
constexpr bool IsLength(SheetValue value) {
    return value != SheetValue::NeutralFactor;
}

} // namespace psm
