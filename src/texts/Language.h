#pragma once

// The two languages of every text.

#include <cstdint>

namespace psm {

enum class Language : int16_t { German, English };

} // namespace psm
