#pragma once

#include <cstdint>
#include <string_view>

namespace psm {

// The stored window position: the leading number of the text (leading blanks,
// sign, digits, a point as decimal separator, exponent), rounded half to even.
// No leading number, or one outside the 32-bit range, gives 0.
int32_t LeadingNumberToInt32(std::string_view text);

} // namespace psm
